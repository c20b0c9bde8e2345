#pragma once

#include <QMutex>
#include <QThreadPool>

#include <memory>
#include <vector>

class ServerRequest;

// The process-wide queue of server requests: runs at most `kMaxConcurrent` at once on its own
// workers, the others wait in submission order. The duplicate rule looks at every request from its
// submission until its exchange has ended; a request is retired from that list before its outcome
// is handed to its callbacks, so that whoever reacts to the outcome may at once make the same
// request again.
class RequestQueue {
public:
    static constexpr int kMaxConcurrent = 4;

    RequestQueue();
    ~RequestQueue();

    // False, and nothing queued, when an equal request is still waiting or exchanging.
    bool submit(const std::shared_ptr<ServerRequest> &request);
    // Requests whose run (the exchange and the callbacks) has not ended.
    int pendingCount() const;
    // Waits until every submitted request has ended; false on time-out.
    bool waitForDone(int msecs = -1);

private:
    void retire(const ServerRequest *request);

    mutable QMutex mutex_;
    std::vector<std::shared_ptr<ServerRequest>> exchanging_;
    int unfinished_ = 0;
    QThreadPool pool_;
};
