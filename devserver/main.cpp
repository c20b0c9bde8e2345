// diancai-devserver: the development ordering server. Speaks the ordering server's protocol on
// one machine, for the demo, for training and for the integration tests.
#include "BuildVersion.h"
#include "DevServer.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <mutex>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string &argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::cout << ServerOptions::usage() << "\ndiancai-devserver " DIANCAI_VERSION_LINE "\n";
            return 0;
        }
        if (argument == "--version") {
            std::cout << "diancai-devserver " DIANCAI_VERSION_LINE "\n";
            return 0;
        }
    }
    std::string error;
    auto options = ServerOptions::parse(arguments, error);
    if (!options) {
        std::cerr << "diancai-devserver: " << error << "\n" << ServerOptions::usage();
        return 2;
    }
    static std::mutex logMutex;
    options->log = [](const std::string &line) {
        std::lock_guard lock(logMutex);
        std::cout << line << std::endl;
    };

    // Block the stop signals before any thread starts, then wait for one here.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    DevServer server;
    if (!server.start(*options, error)) {
        std::cerr << "diancai-devserver: " << error << "\n";
        return 1;
    }
    std::cout << "diancai-devserver listening on " << server.baseUrl() << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
    std::cout << "diancai-devserver stopping" << std::endl;
    server.stop();
    return 0;
}
