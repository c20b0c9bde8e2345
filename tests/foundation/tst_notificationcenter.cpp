#include "foundation/NotificationCenter.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
struct Received {
    QString name;
    QVariant object;
    QVariantMap userInfo;
    QThread *thread;
};

// Runs `work` on a new thread to its end; the thread, for who ran what.
std::unique_ptr<QThread> runOnWorker(const std::function<void()> &work)
{
    std::unique_ptr<QThread> worker(QThread::create(work));
    worker->start();
    worker->wait();
    return worker;
}
} // namespace

class TestNotificationCenter : public QObject {
    Q_OBJECT
private:
    NotificationCenter &center = NotificationCenter::defaultCenter();
    std::unique_ptr<QObject> owner;
    QList<Received> got;

    void record(const QString &name)
    {
        center.addObserver(owner.get(), name, [this](const Notification &n) {
            got.append({n.name, n.object, n.userInfo, QThread::currentThread()});
        });
    }

private slots:
    void init()
    {
        owner = std::make_unique<QObject>();
        got.clear();
    }

    // On the main thread at once, before any event processing; a plain post on the posting thread.
    void mainThreadPostIsImmediatePlainPostStaysOnItsThread()
    {
        record(u"kNow"_s);
        PostNotificationInMainThread(u"kNow"_s);
        QCOMPARE(got.size(), 1);
        const auto worker = runOnWorker([] { NotificationCenter::defaultCenter().post(u"kNow"_s); });
        QCOMPARE(got.size(), 2);
        QCOMPARE((QList<QThread *>{got[0].thread, got[1].thread}),
                 (QList<QThread *>{QThread::currentThread(), worker.get()}));
    }

    void workerPostIsQueuedToMainThreadWithoutWaiting()
    {
        record(u"kFromWorker"_s);
        QSemaphore posted;
        QSemaphore release;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            for (int i = 0; i < 3; ++i)
                PostNotificationInMainThread(u"kFromWorker"_s, i);
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

    void queuedNotificationForADestroyedOwnerIsDropped()
    {
        record(u"kLate"_s);
        runOnWorker([] { PostNotificationInMainThread(u"kLate"_s); });
        owner.reset(); // before the queued delivery runs
        QCoreApplication::processEvents();
        QCOMPARE(got.size(), 0);
    }

    void removeObserverByNameOrAll()
    {
        record(u"kX"_s);
        record(u"kY"_s);
        center.removeObserver(owner.get(), u"kX"_s);
        center.post(u"kX"_s);
        center.post(u"kY"_s);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].name, u"kY"_s);
        center.removeObserver(owner.get());
        center.post(u"kY"_s);
        QCOMPARE(got.size(), 1);
    }

    void handlerMayRemoveALaterObserverOfTheSameNotification()
    {
        QObject second;
        int secondCalls = 0;
        center.addObserver(owner.get(), u"kChain"_s,
                           [&](const Notification &) { center.removeObserver(&second); });
        center.addObserver(&second, u"kChain"_s, [&](const Notification &) { ++secondCalls; });
        center.post(u"kChain"_s);
        QCOMPARE(secondCalls, 0);
    }

    void handlerMayAddObserversWhileDelivering()
    {
        int added = 0;
        center.addObserver(owner.get(), u"kGrow"_s, [&](const Notification &) {
            center.addObserver(owner.get(), u"kGrow"_s, [&](const Notification &) { ++added; });
        });
        center.post(u"kGrow"_s);
        QCOMPARE(added, 0); // the new observer hears only later notifications
        center.post(u"kGrow"_s);
        QCOMPARE(added, 1);
    }
};

QTEST_GUILESS_MAIN(TestNotificationCenter)
#include "tst_notificationcenter.moc"
