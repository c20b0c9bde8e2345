#include "BaseDataFixture.h"
#include "TestRows.h"
#include "foundation/AppPaths.h"
#include "foundation/UserNotice.h"
#include "server/RecordingNotices.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

#include <atomic>
#include <thread>

namespace {
// The held orders, newest first, as "gid:content".
QStringList held()
{
    QStringList out;
    for (const Guadan &order : heldOrders())
        out << QString::number(order.gid) + u':' + order.content;
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool hold(const QString &content)
{
    bool ok = false;
    DBManager::mainDBManager().saveOrderPack(content, [&](bool inserted) { ok = inserted; });
    return ok;
}

bool remove(qint64 gid)
{
    bool ok = false;
    DBManager::mainDBManager().deleteGuadanById(gid, [&](bool deleted) { ok = deleted; });
    return ok;
}

} // namespace

// The held orders in "<home>/main": newest first, numbers never given out twice, failing homes.
class TestStorageHeldOrders : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> home;

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        AppPaths::setHome(home->path());
        DBManager::resetForTests();
    }

    void cleanup() { DBManager::resetForTests(); }

    // "<home>/main" is made on first use. Content comes back unchanged (empty, or quotes and lines
    // that are no SQL), held in whole UTC seconds.
    void newestFirstAndNumbersNeverReused()
    {
        QVERIFY(!DBManager::isMainDBExists());
        DBManager::mainDBManager();
        QCOMPARE(sqlRows(home->filePath(u"main"_s), u"select sql from sqlite_master where name = 'guadan'"_s),
                 std::optional(QStringList{u"CREATE TABLE guadan (gid integer primary key autoincrement, "
                                           "content text, create_time integer)"_s}));
        QVERIFY(DBManager::createMainDBIfNotExists()); // an existing file is left alone
        QVERIFY(heldOrders().isEmpty());
        const QString quoted = u"x'); drop table guadan; --\n第二行\t"_s;
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        QVERIFY(hold(QString()) && hold(quoted) && hold(u"C"_s));
        const qint64 after = QDateTime::currentSecsSinceEpoch();
        QCOMPARE(held(), QStringList({u"3:C"_s, u"2:"_s + quoted, u"1:"_s}));
        const QDateTime time = heldOrders().at(0).createDate;
        QVERIFY(time.isValid() && time.timeSpec() == Qt::UTC && time.time().msec() == 0);
        QVERIFY(time.toSecsSinceEpoch() >= before && time.toSecsSinceEpoch() <= after);

        QVERIFY(remove(3));
        QVERIFY(remove(99)); // no such order: the statement still ran
        QVERIFY(hold(u"D"_s));
        QCOMPARE(held(), QStringList({u"4:D"_s, u"2:"_s + quoted, u"1:"_s}));

        // Also across a restart of the terminal.
        DBManager::resetForTests();
        QVERIFY(remove(4) && hold(u"E"_s));
        QCOMPARE(held(), QStringList({u"5:E"_s, u"2:"_s + quoted, u"1:"_s}));
    }

    void homeThatCannotHoldTheFile()
    {
        // A home below a plain file cannot be created, whoever runs the test.
        QVERIFY(QFile(home->filePath(u"blocker"_s)).open(QIODevice::WriteOnly));
        AppPaths::setHome(home->filePath(u"blocker/home"_s));

        QVERIFY(!DBManager::createMainDBIfNotExists());
        QVERIFY(!DBManager::isMainDBExists());
        QStringList calls;
        DBManager &main = DBManager::mainDBManager();
        main.saveOrderPack(u"A"_s, [&](bool ok) { calls << u"save "_s + (ok ? u"ok"_s : u"failed"_s); });
        main.getOrderPacks(
            [&](const QList<Guadan> &orders) { calls << u"list "_s + QString::number(orders.size()); });
        main.deleteGuadanById(1, [&](bool ok) { calls << u"delete "_s + (ok ? u"ok"_s : u"failed"_s); });
        QCOMPARE(calls, QStringList({u"save failed"_s, u"list 0"_s, u"delete failed"_s}));
    }

    // Numbers past 2^32 stay whole: the one restored is the one deleted.
    void numbersAreSixtyFourBit()
    {
        DBManager::mainDBManager();
        QVERIFY(sqlRows(DBManager::mainDBPath(), u"insert into guadan values (1, 'small', 0);"
                                                 "insert into guadan values (4294967297, 'large', 0)"_s));
        QCOMPARE(held(), QStringList({u"4294967297:large"_s, u"1:small"_s}));
        QVERIFY(remove(4294967297));
        QCOMPARE(held(), QStringList{u"1:small"_s});
    }

    // A damaged store is moved aside under a dated name, a fresh one takes its place and the waiter
    // is told once; holding works again, at once and after a restart.
    void damagedStoreIsSetAsideAndRebuilt_data()
    {
        columns<QString, bool>("damage", "whileRunning");
        QTest::newRow("garbage at start") << u"garbage"_s << false;
        QTest::newRow("truncated at start") << u"truncated"_s << false;
        QTest::newRow("table dropped at start") << u"dropped"_s << false;
        QTest::newRow("garbage while running") << u"garbage"_s << true;
        QTest::newRow("table dropped while running") << u"dropped"_s << true;
    }
    void damagedStoreIsSetAsideAndRebuilt()
    {
        auto [damage, whileRunning] = row<QString, bool>("damage", "whileRunning");
        auto notices = std::make_shared<RecordingNotices>();
        UserNotice::setSink(notices);
        const QString path = DBManager::mainDBPath();
        for (int i = 0; i < 10; ++i) // some 40 kB: a truncation cuts rows
            QVERIFY(hold(QString(4000, QChar(u'a' + i))));
        if (!whileRunning)
            DBManager::resetForTests();
        if (damage == u"garbage") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
        } else if (damage == u"truncated") {
            QVERIFY(QFile::resize(path, QFileInfo(path).size() / 2));
        } else {
            QVERIFY(sqlRows(path, u"drop table guadan"_s));
        }
        const QByteArray damaged = readAll(path);

        QVERIFY(hold(u"new"_s));
        QCOMPARE(held().size(), 1);
        QVERIFY(held().at(0).endsWith(u":new"_s));
        const QStringList aside = QDir(home->path()).entryList({u"main.damaged-*"_s}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QVERIFY(QRegularExpression(u"^main\\.damaged-\\d{8}-\\d{6}$"_s).match(aside.first()).hasMatch());
        QCOMPARE(readAll(home->filePath(aside.first())), damaged);
        QTRY_COMPARE(notices->shown, QStringList{u"error|挂单数据已损坏，已另存备份并重新建立"_s});

        DBManager::resetForTests();
        QVERIFY(hold(u"after restart"_s));
        QCOMPARE(heldOrders().size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(notices->shown.size(), 1);
        UserNotice::setSink(nullptr);
    }

    void concurrentHoldsAreSerialised()
    {
        DBManager &main = DBManager::mainDBManager();
        std::atomic<int> succeeded = 0;
        std::atomic<int> wrongThread = 0;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                const QThread *self = QThread::currentThread();
                for (int i = 0; i < 10; ++i) {
                    bool called = false;
                    main.saveOrderPack(QString::number(t * 100 + i), [&](bool ok) {
                        called = true;
                        if (QThread::currentThread() != self)
                            ++wrongThread;
                        if (ok)
                            ++succeeded;
                    });
                    if (!called) // the callback must have run before the call returned
                        ++wrongThread;
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        QCOMPARE(wrongThread.load(), 0);
        QCOMPARE(succeeded.load(), 40);
        const QStringList orders = held(),
                          numbers = mapped(orders, [](auto &o) { return o.section(u':', 0, 0); });
        QCOMPARE(orders.size(), 40);
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), 40); // no number given out twice
        QVERIFY(orders.first().startsWith(u"40:"_s));
    }
};

QTEST_GUILESS_MAIN(TestStorageHeldOrders)
#include "tst_storage_heldorders.moc"
