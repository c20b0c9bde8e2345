#pragma once

#include "Catalogue.h"
#include "CommandDispatcher.h"
#include "DiningRoom.h"
#include "FaultBook.h"
#include "MakerService.h"
#include "ReceivedLog.h"
#include "ServerOptions.h"

#include <memory>
#include <optional>
#include <string>
#include <thread>

class HttpFront;

// The whole development ordering server: catalogue, dining room, HTTP front. Runs in its own
// thread, so that a program (or a test) can start and stop it.
class DevServer {
public:
    DevServer();
    ~DevServer();
    DevServer(const DevServer &) = delete;
    DevServer &operator=(const DevServer &) = delete;

    // Loads the catalogue, opens the state, applies the stock and starts serving. False, with the
    // reason in error, when any of that fails.
    bool start(const ServerOptions &options, std::string &error);
    void stop();
    int port() const;
    std::string baseUrl() const;

private:
    bool applyStock(const std::map<std::string, double> &stock, std::string &error);

    ServerOptions options_;
    std::optional<Catalogue> catalogue_;
    DiningRoomStore store_;
    FaultBook faults_;
    ReceivedLog received_;
    MakerService maker_;
    std::unique_ptr<CommandDispatcher> dispatcher_;
    std::unique_ptr<HttpFront> front_;
    std::thread thread_;
};
