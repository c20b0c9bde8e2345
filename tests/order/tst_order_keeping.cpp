// Keeping the order being taken in the app home's database: a later manager adopts it exactly, a
// send without a definite answer locks it, a damaged one is moved aside, and flow numbers continue
// across runs.
#include "OrderFixtures.h"

#include "foundation/SettingsKeys.h"
#include "order/OrderKeeper.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "storage/DBManager.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {
const QString kAdopted = u"info:已恢复未发送的点单"_s;
const QString kLocked = u"error:点单已发出但未确认，请再次下单后再修改"_s;

// A manager keeping its order in the test home, as the program's start gives it one.
std::unique_ptr<OrderManager> startedManager()
{
    auto orders = std::make_unique<OrderManager>();
    orders->adoptKeptOrder(std::make_shared<OrderKeeper>(DBManager::mainDBPath()));
    return orders;
}

// Every field the keeper promises to keep, of the pack and of each line, as one text per line.
QStringList state(OrderManager &orders)
{
    const std::shared_ptr<OrderPack> pack = orders.orderPack();
    QStringList out{pack->DeskNo.value_or(u"-"_s) + pack->CustCount.value_or(u"-"_s) +
                        pack->WaiterMan.value_or(u"-"_s) + pack->UniqueFlowNo.value_or(u"-"_s) +
                        pack->PosNo.value_or(u"-"_s) + TasteInfo::guaDanTasteString(pack->arrTaste),
                    orders.getOrderPackAmount() + u' ' + orders.getOrderPackPay(),
                    QString::number(orders.isLocked())};
    for (const auto &line : orders.arrOrders()) {
        out << line->toGuadanString() + QString::number(line->arrSubOrders.size()) +
                   QString::number(std::bit_cast<quint32>(line->orderQty), 16) +
                   QString::number(line->isZengSong());
    }
    return out;
}
} // namespace

class TestOrderKeeping : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    std::shared_ptr<RecordingNotices> notices;

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        DBManager::resetForTests();
        notices = std::make_shared<RecordingNotices>();
        UserNotice::setSink(notices);
    }

    void cleanup()
    {
        ServerRequest::sharedQueue().waitForDone(10000);
        OrderPack::setLinesSource(nullptr);
        UserNotice::setSink(nullptr);
    }

    void adoptsTheOrderExactly()
    {
        QStringList before;
        {
            auto orders = startedManager();
            orders->genNewPack();
            orders->addFood(Menu::dish(u"D1"_s, 12.3f));
            orders->addFood(Menu::twoPartSetMeal());
            orders->addFood(Menu::dish(u"D2"_s, 20), std::nullopt, 3);
            const QList<OrderManager::Line> lines = orders->arrOrders();
            orders->setOrderQty(lines.at(0), 2.0f / 3);
            TasteInfo manual = TasteInfo::genManualTaste();
            manual.TasteName = u"少油 \"辣\""_s;
            manual.TasteAmt = 1.1f;
            orders->changeLine(lines.at(0), [&](FoodOrder &line) { line.arrTaste = {manual}; });
            orders->setZengSong(lines.at(1), true, u"007"_s);
            orders->deleteFoodOrder(lines.at(4));
            orders->switchPrintState();
            orders->changePack([&](OrderPack &pack) {
                pack.DeskNo = u"A01"_s;
                pack.CustCount = u""_s;
                pack.arrTaste = {manual};
            });
            before = state(*orders);
            orders->waitUntilKept();
        }
        QCOMPARE(notices->shown, QStringList());

        auto adopted = startedManager();
        QCOMPARE(notices->shown, QStringList{kAdopted});
        QCOMPARE(state(*adopted), before);
        QCOMPARE(before.size(), 3 + 4);
    }

    // What the console cannot reach: the menu's minus button, a new pack, and clearing, which unlocks.
    void unansweredSendLocksTheOrder()
    {
        auto orders = startedManager();
        orders->genNewPack();
        orders->addFood(Menu::dish(u"D1"_s));
        const QStringList before = state(*orders);
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        ConfigManager::defaultManager().setIp(u"127.0.0.1"_s);
        ConfigManager::defaultManager().setPort(QString::number(probe.serverPort()));
        probe.close();
        std::optional<OrderManager::SendOutcome> outcome;
        orders->sendOrderPackStep2(u"<ClientCommand />"_s, [&](auto result) { outcome = result; });
        QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 10000);
        QVERIFY(orders->isLocked());

        notices->shown.clear();
        orders->removeFood(Menu::dish(u"D1"_s));
        orders->genNewPack();
        QCOMPARE(notices->shown, QStringList{kLocked});
        QCOMPARE(state(*orders).mid(3), before.mid(3));
        QCOMPARE(state(*orders).at(0), before.at(0));
        orders->deleteAllFoodOrders();
        QVERIFY(!orders->isLocked());
        orders->waitUntilKept();
        QVERIFY(startedManager()->arrOrders().isEmpty());
    }

    void damagedKeptOrderIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<QString>("aside");
        QTest::newRow("not a database") << QByteArray() << u"main.damaged-*"_s;
        QTest::newRow("unreadable row") << QByteArray("[{\"parent\": 3}]") << u"main-kept-*.json"_s;
    }

    void damagedKeptOrderIsMovedAside()
    {
        QFETCH(QByteArray, damage);
        QFETCH(QString, aside);
        {
            auto orders = startedManager();
            orders->genNewPack();
            orders->addFood(Menu::dish(u"D1"_s));
            orders->waitUntilKept();
        }
        if (damage.isEmpty()) {
            QFile file(DBManager::mainDBPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(8192, 'x'));
        } else {
            sqlite3 *db = nullptr;
            QCOMPARE(sqlite3_open(DBManager::mainDBPath().toUtf8().constData(), &db), SQLITE_OK);
            const QByteArray sql = "update kept_order set lines = '" + damage + "'";
            QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        }

        auto orders = startedManager();
        QCOMPARE(notices->shown, QStringList{u"info:未发送的点单无法读取，已另存"_s});
        QVERIFY(orders->arrOrders().isEmpty());
        QCOMPARE(QDir(home->dir.path()).entryList({aside}).size(), 1);
        // Taking orders goes on at once.
        orders->genNewPack();
        orders->addFood(Menu::dish(u"D2"_s));
        orders->waitUntilKept();
        QCOMPARE(summary(*startedManager()), QStringList{u"D D2 1"_s});
    }

    void flowNumbersContinueAcrossRuns_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("adopted");
        QTest::addColumn<QString>("next");
        QTest::newRow("after the last one made") << u"2026010100000012345"_s << QString() << u"12346"_s;
        QTest::newRow("rolls over after 99999") << u"2026010100000099999"_s << QString() << u"10000"_s;
        QTest::newRow("an unknown text starts afresh") << u"x"_s << QString() << u"10001"_s;
        QTest::newRow("after a later adopted one")
            << u"2026010100000012345"_s << u"2026010100000155555"_s << u"55556"_s;
        QTest::newRow("not before an earlier adopted one")
            << u"2026010100000012345"_s << u"2025010100000155555"_s << u"12346"_s;
    }

    void flowNumbersContinueAcrossRuns()
    {
        QFETCH(QString, last);
        QFETCH(QString, adopted);
        QFETCH(QString, next);
        // A new store stands for a new run.
        SettingsStore::setShared(std::make_shared<IniSettingsStore>(home->dir.filePath(u"other.ini"_s)));
        SettingsStore::shared().setValue(Key::LastFlowNo, last);
        if (!adopted.isEmpty())
            OrderPack::noteFlowNo(adopted);
        const QString made = OrderPack::uniqueNo();
        QCOMPARE(made.right(5), next);
        QCOMPARE(SettingsStore::shared().string(Key::LastFlowNo), std::optional(made));
    }
};

QTEST_GUILESS_MAIN(TestOrderKeeping)
#include "tst_order_keeping.moc"
