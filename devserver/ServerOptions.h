#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// How one run of the server is set up: the command line, or a test's own values.
struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 0; // 0: any free port
    std::string baseDataFolder;
    std::string packagePath;
    std::string stateFolder;
    std::map<std::string, double> stock; // dish number -> quantity left at start
    bool fresh = false;
    int updateVersionCode = 23;
    std::string dogNo = "10000001";
    std::string serverVer = "1.0.0-dev";
    std::function<void(const std::string &)> log;

    // Reads "--port PORT --basedata DIR --package FILE --state DIR [--stock FOODNO=QTY,...]
    // [--fresh] [--host ADDR] [--update-version-code N] [--dog-no TEXT] [--server-ver TEXT]".
    // Nothing, with the reason in error, when the arguments are incomplete or malformed.
    static std::optional<ServerOptions> parse(const std::vector<std::string> &arguments, std::string &error);
    // "FOODNO=QTY,FOODNO=QTY"; nothing when malformed.
    static std::optional<std::map<std::string, double>> parseStock(const std::string &text);
    static const char *usage();
};
