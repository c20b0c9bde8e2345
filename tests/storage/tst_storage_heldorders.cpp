#include "foundation/AppPaths.h"
#include "storage/DBManager.h"

#include <QDateTime>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sqlite3.h>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

namespace {
QList<Guadan> heldOrders()
{
    QList<Guadan> orders;
    DBManager::mainDBManager().getOrderPacks([&](const QList<Guadan> &list) { orders = list; });
    return orders;
}

QList<qint32> gids(const QList<Guadan> &orders)
{
    QList<qint32> numbers;
    for (const Guadan &order : orders)
        numbers.append(order.gid);
    return numbers;
}
QString contents(const QList<Guadan> &orders)
{
    QString all;
    for (const Guadan &order : orders)
        all += order.content;
    return all;
}

bool hold(const QString &content)
{
    bool ok = false;
    DBManager::mainDBManager().saveOrderPack(content, [&](bool inserted) { ok = inserted; });
    return ok;
}

bool remove(qint32 gid)
{
    bool ok = false;
    DBManager::mainDBManager().deleteGuadanById(gid, [&](bool deleted) { ok = deleted; });
    return ok;
}

QString tableSql(const QString &path)
{
    sqlite3 *db = nullptr;
    QString sql;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "select sql from sqlite_master where name = 'guadan'", -1, &stmt, nullptr);
        if (sqlite3_step(stmt) == SQLITE_ROW)
            sql = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return sql;
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

    void mainDatabaseIsCreatedOnFirstUse()
    {
        QVERIFY(!DBManager::isMainDBExists());
        DBManager::mainDBManager();
        QVERIFY(DBManager::isMainDBExists());
        QCOMPARE(DBManager::mainDBPath(), home->filePath(u"main"_s));
        QCOMPARE(
            tableSql(DBManager::mainDBPath()),
            u"CREATE TABLE guadan (gid integer primary key autoincrement, content text, create_time integer)"_s);
        QVERIFY(DBManager::createMainDBIfNotExists()); // an existing file is left alone
        QVERIFY(heldOrders().isEmpty());
    }

    void newestFirstAndNumbersNeverReused()
    {
        QVERIFY(hold(u"A"_s) && hold(u"B"_s) && hold(u"C"_s));
        QCOMPARE(gids(heldOrders()), QList<qint32>({3, 2, 1}));
        QCOMPARE(contents(heldOrders()), u"CBA"_s);

        QVERIFY(remove(3));
        QVERIFY(remove(99)); // no such order: the statement still ran
        QVERIFY(hold(u"D"_s));
        QCOMPARE(gids(heldOrders()), QList<qint32>({4, 2, 1}));
        QCOMPARE(contents(heldOrders()), u"DBA"_s);

        // Also across a restart of the terminal.
        DBManager::resetForTests();
        QVERIFY(remove(4) && hold(u"E"_s));
        QCOMPARE(gids(heldOrders()), QList<qint32>({5, 2, 1}));
    }

    void holdTimeIsWholeSecondsUtc()
    {
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        QVERIFY(hold(u"A"_s));
        const qint64 after = QDateTime::currentSecsSinceEpoch();
        const QDateTime held = heldOrders().at(0).createDate;
        QVERIFY(held.isValid() && held.timeSpec() == Qt::UTC && held.time().msec() == 0);
        QVERIFY(held.toSecsSinceEpoch() >= before && held.toSecsSinceEpoch() <= after);
    }

    void contentComesBackUnchanged_data()
    {
        QTest::addColumn<QString>("content");
        QTest::newRow("held-order XML")
            << u"<OrderPack><TableNo>A&amp;1</TableNo><Remark>少盐'\"</Remark></OrderPack>"_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("quotes and lines") << u"x'); drop table guadan; --\n第二行\t"_s;
    }

    void contentComesBackUnchanged()
    {
        QFETCH(QString, content);
        QVERIFY(hold(content));
        const QList<Guadan> orders = heldOrders();
        QCOMPARE(orders.size(), 1);
        QCOMPARE(orders.at(0).content, content);
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
        main.getOrderPacks([&](const QList<Guadan> &orders) { calls << u"list "_s + QString::number(orders.size()); });
        main.deleteGuadanById(1, [&](bool ok) { calls << u"delete "_s + (ok ? u"ok"_s : u"failed"_s); });
        QCOMPARE(calls, QStringList({u"save failed"_s, u"list 0"_s, u"delete failed"_s}));
    }

    void corruptMainDatabaseReportsFailure()
    {
        QFile garbage(home->filePath(u"main"_s));
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) == 4096);
        garbage.close();
        QVERIFY(!hold(u"A"_s));
        QVERIFY(heldOrders().isEmpty());
        QVERIFY(!remove(1));
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
                for (int i = 0; i < 25; ++i) {
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
        QCOMPARE(succeeded.load(), 100);
        const QList<qint32> numbers = gids(heldOrders());
        QCOMPARE(numbers.size(), 100);
        QCOMPARE(QSet<qint32>(numbers.begin(), numbers.end()).size(), 100); // no number given out twice
        QCOMPARE(numbers.first(), 100);
    }
};

QTEST_GUILESS_MAIN(TestStorageHeldOrders)
#include "tst_storage_heldorders.moc"
