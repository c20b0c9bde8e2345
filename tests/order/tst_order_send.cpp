// The two-step send against a scripted server, the bound table's guests, and the order kept in the home.
#include "OrderFixtures.h"
#include "TestRows.h"

#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "order/OrderKeeper.h"
#include "order/OrderSendChecks.h"
#include "order/OrderSender.h"
#include "server/CommandMaker.h"
#include "server/Gb18030.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/ConfigManager.h"
#include "settings/LoginState.h"

#include "../server/LoopbackServer.h"
#include "../server/ServerTestHome.h"
#include "../storage/BaseDataFixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>

#include <mutex>
#include <vector>

namespace {
struct Answer {
    int status = 200;
    QByteArray body;
};

Answer reply(const QString &code, const QString &message)
{
    return {200,
            Gb18030::encode(u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ServerReply><ReturnCode>"_s + code +
                            u"</ReturnCode><ReturnMsg>"_s + message + u"</ReturnMsg></ServerReply>"_s)};
}

const Answer kNotXml{200, "<html>busy</html"};
const QString kAdopted = u"info|已恢复未发送的点单"_s;
const QString kLocked = u"error|点单已发出但未确认，请再次下单后再修改"_s;

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

Row deskRow(const std::optional<QString> &useIndex, const std::optional<QString> &custNumber,
            const QString &deskNo = u"A01"_s)
{
    return Row{deskNo, {}, useIndex, custNumber, {}};
}

// Answers "CheckServerStatus" and "OrderPack" as set, and records the commands it received.
class ScriptedServer : public LoopbackServer {
public:
    Answer check;
    Answer order;

    ~ScriptedServer() { stop(); }
    bool start()
    {
        http().Post("/", [this](const httplib::Request &request, httplib::Response &response) {
            const QString xml = QString::fromUtf8(request.get_param_value("xmlFile"));
            const QString command = QRegularExpression(u"<Command>(\\w+)</Command>"_s).match(xml).captured(1);
            std::lock_guard lock(mutex_);
            received_ << command;
            const Answer &answer = command == u"OrderPack" ? order : check;
            response.status = answer.status;
            response.set_content(answer.body.toStdString(), "text/xml");
        });
        return LoopbackServer::start();
    }
    QStringList received()
    {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    std::mutex mutex_;
    QStringList received_;
};

// Messages, notifications and the completion in one list, as the main thread sees them.
class EventLog : public ShownNotices {
public:
    QObject owner;
    explicit EventLog(const QStringList &names)
    {
        for (const QString &name : names)
            NotificationCenter::defaultCenter().addObserver(
                &owner, name, [this](const Notification &n) { shown << n.name; });
    }
};
} // namespace

Q_DECLARE_METATYPE(Answer)

class TestOrderSend : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    std::shared_ptr<ShownNotices> notices;

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        notices = std::make_shared<ShownNotices>();
        UserNotice::setSink(notices);
    }

    void cleanup()
    {
        ServerRequest::sharedQueue().waitForDone(10000);
        OrderPack::setLinesSource(nullptr);
        UserNotice::setSink(nullptr);
    }

    void outcomes_data()
    {
        columns<Answer, Answer, qint64, QStringList, QStringList>("check", "order", "logoutAfterSend",
                                                                  "events", "commands");

        const QStringList both{u"CheckServerStatus"_s, u"OrderPack"_s};
        const QStringList checkOnly{u"CheckServerStatus"_s};
        const Answer ready = reply(u"0"_s, u"服务正常"_s);
        const QStringList toStep2{u"/progress"_s, u"progress"_s, u"/progress"_s};
        const QString sendAgain = u"info|下单结果未知，请再次下单"_s;

        QTest::newRow("server not ready")
            << reply(u"1"_s, u"服务暂停"_s) << Answer() << qint64(5)
            << QStringList{u"/progress"_s, u"info|服务暂停"_s, u"done:1"_s} << checkOnly;
        QTest::newRow("order refused")
            << ready << reply(u"1"_s, u"大厅5号未开台，请输入有效的人数"_s) << qint64(6)
            << toStep2 + QStringList{u"error|大厅5号未开台，请输入有效的人数"_s, u"kSendOrderPackFailed"_s,
                                     u"done:1"_s}
            << both;
        QTest::newRow("order reply unreadable")
            << ready << kNotXml << qint64(5)
            << toStep2 + QStringList{u"error|解析错误"_s, sendAgain, u"kSendOrderPackFailed"_s, u"done:1"_s}
            << both;
    }

    void outcomes()
    {
        auto [check, order, logoutAfterSend, events, commands] =
            row<Answer, Answer, qint64, QStringList, QStringList>("check", "order", "logoutAfterSend",
                                                                  "events", "commands");

        ScriptedServer server;
        server.check = check;
        server.order = order;
        QVERIFY(server.start());
        ServerTestHome::pointAt(server.port());
        ConfigManager::defaultManager().setCtLogoutAfterSend(logoutAfterSend);
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);

        auto log = std::make_shared<EventLog>(QStringList{
            Notify::SendOrderPackSuccess, Notify::SendOrderPackFailed, Notify::NotificationLogout});
        UserNotice::setSink(log);
        OrderManager orders;
        OrderSender sender(orders);
        orders.addFood(Menu::dish(u"D1"_s));
        bool done = false;
        sender.sendOrderPack(u"<ClientCommand><Command>OrderPack</Command></ClientCommand>"_s,
                             [&](OrderSender::Outcome outcome) {
                                 log->shown << u"done:"_s + QString::number(int(outcome));
                                 done = true;
                             });
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QCoreApplication::processEvents();
        QCOMPARE(log->shown, events);
        QCOMPARE(server.received(), commands);
        // A failed send keeps the order and the operator; the order is locked unless the server refused it.
        QCOMPARE(summary(orders), QStringList{u"D D1 1"_s});
        QCOMPARE(orders.isLocked(),
                 commands.size() == 2 && !events.contains(u"error|大厅5号未开台，请输入有效的人数"_s));
        QVERIFY(LoginState::isLogin());
    }

    void guestsInUse_data()
    {
        using Guests = std::optional<QString>;
        columns<QList<Row>, Guests>("rows", "guests");
        QTest::newRow("no use index") << QList<Row>{deskRow(std::nullopt, u"4"_s)} << Guests();
        QTest::newRow("no count") << QList<Row>{deskRow(u"1"_s, std::nullopt)} << Guests();
        QTest::newRow("only another table") << QList<Row>{deskRow(u"1"_s, u"4"_s, u"A02"_s)} << Guests();
        QTest::newRow("first row of the table counts")
            << QList<Row>{deskRow(u"1"_s, u"2"_s, u"A02"_s), deskRow(u"0"_s, u"2"_s), deskRow(u"1"_s, u"4"_s)}
            << Guests();
    }
    void guestsInUse()
    {
        auto [rows, guests] = row<QList<Row>, std::optional<QString>>("rows", "guests");
        QCOMPARE(OrderSendChecks::guestsInUse(rows, u"A01"_s), guests);
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
            const TasteInfo typed = manual(u"少油 \"辣\""_s, 1.1f);
            orders->changeLine(lines.at(0), [&](FoodOrder &line) { line.arrTaste = {typed}; });
            orders->setZengSong(lines.at(1), true, u"007"_s);
            orders->deleteFoodOrder(lines.at(4));
            orders->switchPrintState();
            orders->changePack([&](OrderPack &pack) {
                pack.DeskNo = u"A01"_s;
                pack.CustCount = u""_s;
                pack.arrTaste = {typed};
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
        ServerTestHome::pointAt(probe.serverPort());
        probe.close();
        std::optional<OrderSender::Outcome> outcome;
        OrderSender sender(*orders);
        sender.sendOrderPackStep2(u"<ClientCommand />"_s, [&](auto result) { outcome = result; });
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
        columns<QByteArray, QString>("damage", "aside");
        QTest::newRow("not a database") << QByteArray() << u"main.damaged-*"_s;
        QTest::newRow("unreadable row") << QByteArray("[{\"parent\": 3}]") << u"main-kept-*.json"_s;
    }

    void damagedKeptOrderIsMovedAside()
    {
        auto [damage, aside] = row<QByteArray, QString>("damage", "aside");
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
            QVERIFY(sqlRows(DBManager::mainDBPath(),
                            u"update kept_order set lines = '"_s + QString::fromLatin1(damage) + u"'"_s));
        }

        auto orders = startedManager();
        QCOMPARE(notices->shown, QStringList{u"info|未发送的点单无法读取，已另存"_s});
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
        columns<QString, QString, QString>("last", "adopted", "next");
        QTest::newRow("rolls over after 99999") << u"2026010100000099999"_s << QString() << u"10000"_s;
        QTest::newRow("an unknown text starts afresh") << u"x"_s << QString() << u"10001"_s;
        QTest::newRow("after a later adopted one")
            << u"2026010100000012345"_s << u"2026010100000155555"_s << u"55556"_s;
        QTest::newRow("not before an earlier adopted one")
            << u"2026010100000012345"_s << u"2025010100000155555"_s << u"12346"_s;
    }

    void flowNumbersContinueAcrossRuns()
    {
        auto [last, adopted, next] = row<QString, QString, QString>("last", "adopted", "next");
        // A new store stands for a new run; each is kept, as the counter knows its store by address
        // and a new one made where the last row's lay would be taken for the same run.
        static std::vector<std::shared_ptr<SettingsStore>> runs;
        runs.push_back(std::make_shared<IniSettingsStore>(home->dir.filePath(u"other.ini"_s)));
        SettingsStore::setShared(runs.back());
        SettingsStore::shared().setValue(Key::LastFlowNo, last);
        if (!adopted.isEmpty())
            OrderPack::noteFlowNo(adopted);
        const QString made = OrderPack::uniqueNo();
        QCOMPARE(made.right(5), next);
        QCOMPARE(SettingsStore::shared().string(Key::LastFlowNo), std::optional(made));
    }
};

QTEST_GUILESS_MAIN(TestOrderSend)
#include "tst_order_send.moc"
