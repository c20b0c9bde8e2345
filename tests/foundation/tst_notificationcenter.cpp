#include "foundation/NotificationCenter.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <memory>

namespace {
struct Received {
    QString name;
    QVariant object;
    QVariantMap userInfo;
    QThread *thread;
};
} // namespace

class TestNotificationCenter : public QObject {
    Q_OBJECT
private:
    NotificationCenter &center = NotificationCenter::defaultCenter();

    void record(QObject *owner, const QString &name, QList<Received> &into)
    {
        center.addObserver(owner, name, [&into](const Notification &n) {
            into.append({n.name, n.object, n.userInfo, QThread::currentThread()});
        });
    }

private slots:
    void deliversOnlyMatchingNamesWithObjectAndUserInfo()
    {
        QObject owner;
        QList<Received> got;
        record(&owner, QStringLiteral("kA"), got);
        center.post(QStringLiteral("kB"), 1);
        center.post(QStringLiteral("kA"), QStringList{QStringLiteral("001"), QStringLiteral("2")},
                    {{QStringLiteral("requestId"), QStringLiteral("1")}});
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].object.toStringList(), (QStringList{QStringLiteral("001"), QStringLiteral("2")}));
        QCOMPARE(got[0].userInfo.value(QStringLiteral("requestId")).toString(), QStringLiteral("1"));
    }

    void mainThreadPostIsImmediate()
    {
        QObject owner;
        QList<Received> got;
        record(&owner, QStringLiteral("kNow"), got);
        PostNotificationInMainThread(QStringLiteral("kNow"));
        QCOMPARE(got.size(), 1); // before any event processing
        QCOMPARE(got[0].thread, QThread::currentThread());
    }

    void workerPostIsQueuedToMainThreadWithoutWaiting()
    {
        QObject owner;
        QList<Received> got;
        record(&owner, QStringLiteral("kFromWorker"), got);

        QSemaphore posted;
        QSemaphore release;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            for (int i = 0; i < 3; ++i)
                PostNotificationInMainThread(QStringLiteral("kFromWorker"), i);
            posted.release(); // returned from every post while the main thread is blocked
            release.acquire();
        }));
        worker->start();
        QVERIFY(posted.tryAcquire(1, 5000));
        QCOMPARE(got.size(), 0);
        release.release();
        worker->wait();

        QTRY_COMPARE(got.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(got[i].object.toInt(), i); // in posting order
            QCOMPARE(got[i].thread, QThread::currentThread());
        }
    }

    void plainPostRunsOnThePostingThread()
    {
        QObject owner;
        QList<Received> got;
        record(&owner, QStringLiteral("kHere"), got);
        std::unique_ptr<QThread> worker(
            QThread::create([&] { NotificationCenter::defaultCenter().post(QStringLiteral("kHere")); }));
        worker->start();
        worker->wait();
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].thread, worker.get());
    }

    void observersGoWithTheirOwner()
    {
        QList<Received> got;
        auto owner = std::make_unique<QObject>();
        record(owner.get(), QStringLiteral("kOwned"), got);
        record(owner.get(), QStringLiteral("kOwned2"), got);
        QCOMPARE(center.observerCount(QStringLiteral("kOwned")), 1);
        owner.reset();
        QCOMPARE(center.observerCount(QStringLiteral("kOwned")), 0);
        QCOMPARE(center.observerCount(QStringLiteral("kOwned2")), 0);
        center.post(QStringLiteral("kOwned"));
        QCOMPARE(got.size(), 0);
    }

    void queuedNotificationForADestroyedOwnerIsDropped()
    {
        QList<Received> got;
        auto owner = std::make_unique<QObject>();
        record(owner.get(), QStringLiteral("kLate"), got);
        std::unique_ptr<QThread> worker(
            QThread::create([] { PostNotificationInMainThread(QStringLiteral("kLate")); }));
        worker->start();
        worker->wait();
        owner.reset(); // before the queued delivery runs
        QCoreApplication::processEvents();
        QCOMPARE(got.size(), 0);
    }

    void removeObserverByNameOrAll()
    {
        QObject owner;
        QList<Received> got;
        record(&owner, QStringLiteral("kX"), got);
        record(&owner, QStringLiteral("kY"), got);
        center.removeObserver(&owner, QStringLiteral("kX"));
        center.post(QStringLiteral("kX"));
        center.post(QStringLiteral("kY"));
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].name, QStringLiteral("kY"));
        center.removeObserver(&owner);
        center.post(QStringLiteral("kY"));
        QCOMPARE(got.size(), 1);
    }

    void handlerMayRemoveALaterObserverOfTheSameNotification()
    {
        QObject first;
        QObject second;
        int secondCalls = 0;
        center.addObserver(&first, QStringLiteral("kChain"),
                           [&](const Notification &) { center.removeObserver(&second); });
        center.addObserver(&second, QStringLiteral("kChain"), [&](const Notification &) { ++secondCalls; });
        center.post(QStringLiteral("kChain"));
        QCOMPARE(secondCalls, 0);
    }

    void handlerMayAddObserversWhileDelivering()
    {
        QObject owner;
        int added = 0;
        center.addObserver(&owner, QStringLiteral("kGrow"), [&](const Notification &) {
            center.addObserver(&owner, QStringLiteral("kGrow"), [&](const Notification &) { ++added; });
        });
        center.post(QStringLiteral("kGrow"));
        QCOMPARE(added, 0); // the new observer hears only later notifications
        center.post(QStringLiteral("kGrow"));
        QCOMPARE(added, 1);
    }
};

QTEST_GUILESS_MAIN(TestNotificationCenter)
#include "tst_notificationcenter.moc"
