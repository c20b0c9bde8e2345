#pragma once

#include "CommandDispatcher.h"
#include "FaultBook.h"
#include "FormDecoding.h"
#include "MakerService.h"
#include "ReceivedLog.h"

#include <httplib.h>

#include <functional>
#include <string>

// The HTTP side of the server: command posts on "/", the package download, the maker's web
// service and the loopback-only control endpoint, with the injected faults applied to replies.
class HttpFront {
public:
    struct Parts {
        CommandDispatcher &dispatcher;
        DiningRoomStore &store;
        FaultBook &faults;
        ReceivedLog &received;
        MakerService &maker;
        std::string packagePath;
        std::string packageName;
        std::function<void(const std::string &)> log; // one line per command; may be empty
    };

    explicit HttpFront(Parts parts);

    // Binds to host:port (port 0: any free port). False, with the reason, when that fails.
    bool bind(const std::string &host, int port, std::string &error);
    int port() const { return port_; }
    // Serves until stop(); blocks.
    void serve();
    void stop();
    bool isRunning() const { return server_.is_running(); }

private:
    void routeCommands();
    void routeDownloads();
    void routeMakerService();
    void routeControl();

    void handleCommand(const httplib::Request &request, const FormDecoding::PostedForm &form,
                       httplib::Response &response);
    void refuseUnread(const httplib::Request &request, bool tooLarge, httplib::Response &response);
    void servePackage(const httplib::Request &request, httplib::Response &response);
    void answerWithFault(const Fault &fault, const httplib::Request &request, httplib::Response &response);
    void writeLogLine(const httplib::Request &request, const ReceivedCommand &entry, const std::string &code,
                      const std::string &message);

    Parts parts_;
    httplib::Server server_;
    int port_ = 0;
};
