#pragma once

#include <QMutex>
#include <QThreadPool>

#include <memory>
#include <vector>

class ServerRequest;

// The process-wide queue of server requests: runs at most `kMaxConcurrent` at once on its own
// workers, the others wait in submission order. It remembers every request from submission until
// its run has ended, which is what the duplicate rule looks at.
class RequestQueue {
public:
    static constexpr int kMaxConcurrent = 4;

    RequestQueue();
    ~RequestQueue();

    // False, and nothing queued, when an equal request is still waiting or running.
    bool submit(const std::shared_ptr<ServerRequest> &request);
    // Requests waiting or running.
    int pendingCount() const;
    // Waits until every submitted request has ended; false on time-out.
    bool waitForDone(int msecs = -1);

private:
    void finished(const ServerRequest *request);

    mutable QMutex mutex_;
    std::vector<std::shared_ptr<ServerRequest>> pending_;
    QThreadPool pool_;
};
