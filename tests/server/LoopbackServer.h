#pragma once

#include <httplib.h>

#include <QByteArray>
#include <QString>
#include <QTcpServer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A cpp-httplib server on a free port of 127.0.0.1, run on its own thread for one test.
// Register handlers on `http()` before `start()`.
class LoopbackServer {
public:
    LoopbackServer() = default;
    ~LoopbackServer() { stop(); }
    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

    httplib::Server &http() { return server_; }

    bool start()
    {
        port_ = server_.bind_to_any_port("127.0.0.1");
        if (port_ <= 0)
            return false;
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        for (int i = 0; i < 500 && !server_.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return server_.is_running();
    }

    void stop()
    {
        if (thread_.joinable()) {
            server_.stop();
            thread_.join();
        }
    }

    int port() const { return port_; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:") + QString::number(port_); }

    static std::string bytes(const QByteArray &data)
    {
        return std::string(data.constData(), size_t(data.size()));
    }

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

// A loopback port that nothing listens on: bound once to find it, then closed again.
inline int closedLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Holds requests inside a handler until released, counting how many are held at once.
class Gate {
public:
    void enter()
    {
        std::unique_lock lock(mutex_);
        ++inside_;
        ++entered_;
        maxInside_ = std::max(maxInside_, inside_);
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        --inside_;
    }
    void release()
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    // Waits until `count` requests have entered in total; false after `ms`.
    bool waitForEntered(int count, int ms = 5000)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return entered_ >= count; });
    }
    int entered() const
    {
        std::lock_guard lock(mutex_);
        return entered_;
    }
    int maxInside() const
    {
        std::lock_guard lock(mutex_);
        return maxInside_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    int inside_ = 0;
    int entered_ = 0;
    int maxInside_ = 0;
};

// A loopback server that answers every POST to "/" with the body and status set last, after
// `delayMs`, held at `gate()` while `hold`; it remembers each request's body and arrival time.
class AnsweringServer : public LoopbackServer {
public:
    using Clock = std::chrono::steady_clock;

    // A handler still sleeping or held reads the members below: end it while they live.
    ~AnsweringServer() { stop(); }

    bool start()
    {
        http().Post("/", [this](const httplib::Request &req, httplib::Response &res) {
            ++inFlight_;
            const struct Leave {
                std::atomic<int> &count;
                ~Leave() { --count; }
            } leave{inFlight_};
            {
                std::lock_guard lock(mutex_);
                bodies_.push_back(req.body);
                arrivals_.push_back(Clock::now());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs.load()));
            if (hold)
                gate_->enter();
            std::lock_guard lock(mutex_);
            res.status = status_;
            res.set_content(bytes(answer_), "text/xml");
        });
        return LoopbackServer::start();
    }

    void answer(const QByteArray &body, int status = 200)
    {
        std::lock_guard lock(mutex_);
        answer_ = body;
        status_ = status;
    }
    // For the next test: the last test's requests end first (a late one, still sleeping out its
    // delay, would otherwise enter this test's gate), then nothing seen, no delay, a closed gate.
    void reset(const QByteArray &body = {})
    {
        hold = false;
        gate_->release();
        for (int i = 0; i < 1000 && inFlight_ > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        answer(body);
        delayMs = 0;
        gate_ = std::make_unique<Gate>();
        std::lock_guard lock(mutex_);
        bodies_.clear();
        arrivals_.clear();
    }
    Gate &gate() { return *gate_; }
    std::vector<std::string> bodies() const
    {
        std::lock_guard lock(mutex_);
        return bodies_;
    }
    std::vector<Clock::time_point> arrivals() const
    {
        std::lock_guard lock(mutex_);
        return arrivals_;
    }

    std::atomic<int> delayMs{0};
    std::atomic<bool> hold{false};

private:
    mutable std::mutex mutex_;
    QByteArray answer_;
    int status_ = 200;
    std::vector<std::string> bodies_;
    std::vector<Clock::time_point> arrivals_;
    std::unique_ptr<Gate> gate_ = std::make_unique<Gate>();
    std::atomic<int> inFlight_{0};
};
