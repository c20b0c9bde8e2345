#include "server/RequestQueue.h"

#include "server/ServerRequest.h"

#include <algorithm>

RequestQueue::RequestQueue()
{
    pool_.setMaxThreadCount(kMaxConcurrent);
    pool_.setObjectName(QStringLiteral("ServerRequestQueue"));
}

RequestQueue::~RequestQueue()
{
    pool_.waitForDone();
}

bool RequestQueue::submit(const std::shared_ptr<ServerRequest> &request)
{
    QMutexLocker lock(&mutex_);
    const bool duplicate = std::any_of(pending_.begin(), pending_.end(),
                                       [&](const auto &queued) { return queued->sameExchangeAs(*request); });
    if (duplicate)
        return false;
    pending_.push_back(request);
    pool_.start([this, request] {
        request->main();
        finished(request.get());
    });
    return true;
}

void RequestQueue::finished(const ServerRequest *request)
{
    QMutexLocker lock(&mutex_);
    std::erase_if(pending_, [request](const auto &queued) { return queued.get() == request; });
}

int RequestQueue::pendingCount() const
{
    QMutexLocker lock(&mutex_);
    return int(pending_.size());
}

bool RequestQueue::waitForDone(int msecs)
{
    return pool_.waitForDone(msecs);
}
