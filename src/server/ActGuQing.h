#pragma once

#include "server/ServerRecords.h"

#include <QMap>
#include <QMutex>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QTimer;

// The sold-out poller (沽清): on a repeating main-thread timer it asks the server for the sold-out
// list and publishes the dishes left with exactly "0" — here as `dictGuqing` and to the catalogue's
// SoldOutList, which dish names and order lines read. From the start of a poll until its reply no
// dish counts as sold out; a failed poll leaves the list empty until the next one succeeds.
// Each new list is published whole, so readers on any thread see one list or the other.
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

    // One poll; also the timer's action.
    void loadGuQingList();
    // Reads a reply to "GetGqFoodList" and publishes its sold-out dishes; a reply that does not
    // parse or refuses leaves the list empty. Runs on the request's worker.
    void handleReply(const QByteArray &reply);

    bool isFoodInGuQingList(const QString &foodno) const;
    // Absent before the first poll.
    std::shared_ptr<const SoldOutMap> dictGuqing() const;

    // Run after each successful poll: the background task that brings the current order into line
    // with the list (TaskManager's sold-out task, installed by whoever owns the task manager).
    void setSoldOutTask(std::function<void()> task);

private:
    void publish(std::shared_ptr<const SoldOutMap> map);

    mutable QMutex mutex_;
    std::shared_ptr<const SoldOutMap> dictGuqing_;
    std::function<void()> soldOutTask_;
    // Owned by the application object, so it goes with the event loop it runs on.
    QPointer<QTimer> timer_;
};
