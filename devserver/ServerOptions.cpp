#include "ServerOptions.h"

#include "Numbers.h"

#include <set>

std::optional<std::map<std::string, double>> ServerOptions::parseStock(const std::string &text)
{
    std::map<std::string, double> stock;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string item = text.substr(start, end - start);
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos || equals == 0)
            return std::nullopt;
        const auto qty = Numbers::parseDecimal(item.substr(equals + 1));
        if (!qty)
            return std::nullopt;
        stock[item.substr(0, equals)] = *qty;
        start = end + 1;
    }
    return stock;
}

std::optional<ServerOptions> ServerOptions::parse(const std::vector<std::string> &arguments,
                                                  std::string &error)
{
    ServerOptions options;
    std::set<std::string> seen;
    static const std::set<std::string> withValue = {
        "--port",   "--basedata",  "--package", "--state", "--stock", "--host", "--update-version-code",
        "--dog-no", "--server-ver"};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &flag = arguments[i];
        if (flag == "--fresh") {
            options.fresh = true;
            continue;
        }
        if (!withValue.count(flag)) {
            error = "unknown argument " + flag;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = flag + " needs a value";
            return std::nullopt;
        }
        const std::string &value = arguments[++i];
        seen.insert(flag);
        if (flag == "--port" || flag == "--update-version-code") {
            const bool digits = !value.empty() && value.size() <= 9 &&
                                value.find_first_not_of("0123456789") == std::string::npos;
            const int number = digits ? std::stoi(value) : -1;
            if (number < 0 || (flag == "--port" && number > 65535)) {
                error = flag + ": not a valid number: " + value;
                return std::nullopt;
            }
            (flag == "--port" ? options.port : options.updateVersionCode) = number;
        } else if (flag == "--stock") {
            const auto stock = parseStock(value);
            if (!stock) {
                error = "--stock expects FOODNO=QTY,FOODNO=QTY,... but got " + value;
                return std::nullopt;
            }
            options.stock = *stock;
        } else if (flag == "--basedata") {
            options.baseDataFolder = value;
        } else if (flag == "--package") {
            options.packagePath = value;
        } else if (flag == "--state") {
            options.stateFolder = value;
        } else if (flag == "--host") {
            options.host = value;
        } else if (flag == "--dog-no") {
            options.dogNo = value;
        } else if (flag == "--server-ver") {
            options.serverVer = value;
        }
    }
    for (const char *required : {"--port", "--basedata", "--package", "--state"}) {
        if (!seen.count(required)) {
            error = std::string(required) + " is required";
            return std::nullopt;
        }
    }
    return options;
}

const char *ServerOptions::usage()
{
    // One synopsis line per form, as help2man reads them for the manual page.
    return "Usage: diancai-devserver --port PORT --basedata DIR --package FILE --state DIR [OPTION...]\n"
           "  or:  diancai-devserver --help | --version\n"
           "The development ordering server: the restaurant server's protocol on one machine, for\n"
           "trials, training rooms and tests. diancai-devserver-demo starts it with the demo catalogue.\n"
           "\n"
           "  --port PORT              the port to listen on; 0 takes any free one (printed first)\n"
           "  --basedata DIR           a base-data folder as the terminal reads it (PadBaseData.db)\n"
           "  --package FILE           the base-data package (zip) the terminals download\n"
           "  --state DIR              where the dining room and the printed bills are kept\n"
           "  --stock FOODNO=QTY,...   dishes with a limited stock (0: sold out)\n"
           "  --fresh                  forget the stored dining room and start afresh\n"
           "  --host ADDR              the address to listen on (default: 127.0.0.1)\n"
           "  --update-version-code N  the version code offered as an update (default: 23, none)\n"
           "  --dog-no TEXT            the dongle number the status check reports\n"
           "  --server-ver TEXT        the server version the status check reports\n"
           "  --help                   this text\n"
           "  --version                the version and the commit it was built from\n";
}
