#include "DevServer.h"

#include "HttpFront.h"

#include <chrono>
#include <csignal>
#include <filesystem>

DevServer::DevServer() = default;

DevServer::~DevServer()
{
    stop();
}

bool DevServer::start(const ServerOptions &options, std::string &error)
{
    namespace fs = std::filesystem;
    stop();
    options_ = options;
    // A client that goes away mid-answer must not end the server.
    std::signal(SIGPIPE, SIG_IGN);

    catalogue_ = Catalogue::load(options.baseDataFolder, error);
    if (!catalogue_)
        return false;
    std::error_code ec;
    if (!fs::is_regular_file(options.packagePath, ec)) {
        error = "package file not found: " + options.packagePath;
        return false;
    }
    if (!store_.open(options.stateFolder, options.fresh, error))
        return false;
    if (!applyStock(options.stock, error))
        return false;

    ServerProfile profile{options.dogNo, options.serverVer, fs::path(options.packagePath).filename().string(),
                          (fs::path(options.stateFolder) / "print").string()};
    dispatcher_ = std::make_unique<CommandDispatcher>(*catalogue_, store_, profile);
    front_ =
        std::make_unique<HttpFront>(HttpFront::Parts{*dispatcher_, store_, faults_, received_, maker_,
                                                     options.packagePath, profile.packageName, options.log});
    if (!front_->bind(options.host, options.port, error)) {
        front_.reset();
        return false;
    }
    MakerService::VersionInfo version = maker_.version();
    version.versionCode = options.updateVersionCode;
    version.url = baseUrl() + "/update/";
    maker_.setVersion(version);
    thread_ = std::thread([this] { front_->serve(); });
    // Until the loop runs, a stop() would not reach it; so start() returns once it runs.
    for (int waited = 0; !front_->isRunning() && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void DevServer::stop()
{
    if (front_)
        front_->stop();
    if (thread_.joinable())
        thread_.join();
    front_.reset();
}

int DevServer::port() const
{
    return front_ ? front_->port() : 0;
}

std::string DevServer::baseUrl() const
{
    const std::string host =
        options_.host.find(':') != std::string::npos ? "[" + options_.host + "]" : options_.host;
    return "http://" + host + ":" + std::to_string(port());
}

bool DevServer::applyStock(const std::map<std::string, double> &stock, std::string &error)
{
    for (const auto &[foodNo, qty] : stock) {
        if (!catalogue_->dish(foodNo)) {
            error = "--stock: dish " + foodNo + " is not in the base data";
            return false;
        }
    }
    const auto done = store_.transact(
        [&](DiningRoom &room) {
            for (const auto &[foodNo, qty] : stock)
                room.setStock({foodNo, qty, 0});
            return true;
        },
        [](bool) { return true; });
    if (!done)
        error = "cannot write the stock into the state file";
    return done.has_value();
}
