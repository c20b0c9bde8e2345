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
    const bool duplicate = std::any_of(exchanging_.begin(), exchanging_.end(),
                                       [&](const auto &queued) { return queued->sameExchangeAs(*request); });
    if (duplicate)
        return false;
    exchanging_.push_back(request);
    ++unfinished_;
    pool_.start([this, request] {
        const std::optional<ServerRequest::Outcome> outcome = request->exchange();
        retire(request.get());
        if (outcome)
            request->deliver(*outcome);
        QMutexLocker done(&mutex_);
        --unfinished_;
    });
    return true;
}

void RequestQueue::retire(const ServerRequest *request)
{
    QMutexLocker lock(&mutex_);
    std::erase_if(exchanging_, [request](const auto &queued) { return queued.get() == request; });
}

int RequestQueue::pendingCount() const
{
    QMutexLocker lock(&mutex_);
    return unfinished_;
}

bool RequestQueue::waitForDone(int msecs)
{
    return pool_.waitForDone(msecs);
}
