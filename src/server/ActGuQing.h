#pragma once

#include "server/ServerRecords.h"

#include <QMap>
#include <QMutex>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QTimer;
struct ServerReply;

// The sold-out poller (沽清): on a repeating main-thread timer it asks the server for the sold-out
// list and publishes the dishes left with exactly "0" — here as `dictGuqing` and to the catalogue's
// SoldOutList, which dish names and order lines read. The last list read stays in force while a
// poll is outstanding and after a poll that fails (a refusal, an unreadable reply, no answer), so a
// dish sold out cannot be ordered again because the server stumbled once. Each new list is
// published whole, so readers on any thread see one list or the other.
class ActGuQing {
public:
    using SoldOutMap = QMap<QString, Row3>;

    static ActGuQing &sharedInstance();

    // Polls every `autoRefreshSoldOutIntervalTime` seconds, the first time one interval from now,
    // when the settings switch polling on with a positive interval. Call on the main thread.
    void start();
    void stop();
    bool isPolling() const;
    // The current interval in milliseconds; 0 when not polling.
    int pollIntervalMs() const;

    // Told whether the poll read a new list; called on the main thread.
    using PollDone = std::function<void(bool listRead)>;
    // One poll; also the timer's action. While a poll is outstanding another one joins it: no
    // second request goes out and `done` is told the outcome of the one under way.
    void loadGuQingList(PollDone done = {});
    // Reads a reply to "GetGqFoodList" and publishes its sold-out dishes; true when it did. A reply
    // that does not parse or refuses changes nothing. Runs on the main thread.
    bool handleReply(const ServerReply &reply);

    bool isFoodInGuQingList(const QString &foodno) const;
    // Absent before the first poll.
    std::shared_ptr<const SoldOutMap> dictGuqing() const;

    // Run after each successful poll: the background task that brings the current order into line
    // with the list (TaskManager's sold-out task, installed by whoever owns the task manager).
    void setSoldOutTask(std::function<void()> task);

private:
    void publish(std::shared_ptr<const SoldOutMap> map);
    void endPoll(bool listRead);

    mutable QMutex mutex_;
    std::shared_ptr<const SoldOutMap> dictGuqing_;
    std::function<void()> soldOutTask_;
    bool polling_ = false;
    std::vector<PollDone> waiting_;
    // Owned by the application object, so it goes with the event loop it runs on.
    QPointer<QTimer> timer_;
};
