// The two-step send against a loopback server that answers each command as a test row says: every
// outcome with its messages, notifications and completion, in the order they reach the main thread.
#include "OrderFixtures.h"

#include "foundation/NotificationNames.h"
#include "server/CommandMaker.h"
#include "server/Gb18030.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/ConfigManager.h"
#include "settings/LoginState.h"

#include "../server/LoopbackServer.h"

#include <QRegularExpression>
#include <QTest>

#include <atomic>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;

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

// Answers "CheckServerStatus" and "OrderPack" as set, and records the commands it received.
class ScriptedServer : public LoopbackServer {
public:
    Answer check;
    Answer order;
    std::atomic<int> checkDelayMs{0};

    ~ScriptedServer() { stop(); }
    bool start()
    {
        http().Post("/", [this](const httplib::Request &request, httplib::Response &response) {
            const QString xml = QString::fromUtf8(request.get_param_value("xmlFile"));
            const QString command = QRegularExpression(u"<Command>(\\w+)</Command>"_s).match(xml).captured(1);
            std::lock_guard lock(mutex_);
            received_ << command;
            const Answer &answer = command == u"OrderPack" ? order : check;
            if (command != u"OrderPack")
                std::this_thread::sleep_for(std::chrono::milliseconds(checkDelayMs.load()));
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
class EventLog : public RecordingNotices {
public:
    QObject owner;
    explicit EventLog(const QStringList &names)
    {
        for (const QString &name : names) {
            NotificationCenter::defaultCenter().addObserver(
                &owner, name, [this](const Notification &n) { shown << n.name; });
        }
    }
};
} // namespace

Q_DECLARE_METATYPE(Answer)

class TestOrderSend : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;

private slots:
    void init() { home = std::make_unique<OrderTestHome>(); }

    void cleanup()
    {
        ServerRequest::sharedQueue().waitForDone(10000);
        UserNotice::setSink(nullptr);
    }

    void outcomes_data()
    {
        QTest::addColumn<Answer>("check");
        QTest::addColumn<Answer>("order");
        QTest::addColumn<qint64>("logoutAfterSend");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("commands");

        const QStringList both{u"CheckServerStatus"_s, u"OrderPack"_s};
        const QStringList checkOnly{u"CheckServerStatus"_s};
        const Answer ready = reply(u"0"_s, u"服务正常"_s);
        const QStringList toStep2{u"/progress"_s, u"progress"_s, u"/progress"_s};
        const QString sendAgain = u"info:下单结果未知，请再次下单"_s;

        QTest::newRow("sent") << ready << reply(u"0"_s, u"下单成功，共2道菜"_s) << qint64(5)
                              << toStep2 + QStringList{u"ok:下单成功，共2道菜"_s, u"kSendOrderPackSuccess"_s,
                                                       u"done:0"_s}
                              << both;
        QTest::newRow("server not ready")
            << reply(u"1"_s, u"服务暂停"_s) << Answer() << qint64(5)
            << QStringList{u"/progress"_s, u"info:服务暂停"_s, u"done:1"_s} << checkOnly;
        QTest::newRow("check failed")
            << Answer{500, "down"} << Answer() << qint64(5)
            << QStringList{u"/progress"_s, u"error:Error Domain=Qelvo Code=500"_s, u"done:2"_s} << checkOnly;
        QTest::newRow("order refused")
            << ready << reply(u"1"_s, u"大厅5号未开台，请输入有效的人数"_s) << qint64(6)
            << toStep2 + QStringList{u"error:大厅5号未开台，请输入有效的人数"_s, u"kSendOrderPackFailed"_s,
                                     u"done:1"_s}
            << both;
        QTest::newRow("order reply unreadable")
            << ready << kNotXml << qint64(5)
            << toStep2 + QStringList{u"error:解析错误"_s, sendAgain, u"kSendOrderPackFailed"_s, u"done:1"_s}
            << both;
        QTest::newRow("order exchange failed")
            << ready << Answer{503, "busy"} << qint64(5)
            << toStep2 + QStringList{u"error:Error Domain=Qelvo Code=503"_s, sendAgain, u"done:2"_s} << both;
    }

    void outcomes()
    {
        QFETCH(Answer, check);
        QFETCH(Answer, order);
        QFETCH(qint64, logoutAfterSend);
        QFETCH(QStringList, events);
        QFETCH(QStringList, commands);

        ScriptedServer server;
        server.check = check;
        server.order = order;
        QVERIFY(server.start());
        ConfigManager &config = ConfigManager::defaultManager();
        config.setIp(u"127.0.0.1"_s);
        config.setPort(QString::number(server.port()));
        config.setCtLogoutAfterSend(logoutAfterSend);
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);

        auto log = std::make_shared<EventLog>(QStringList{
            Notify::SendOrderPackSuccess, Notify::SendOrderPackFailed, Notify::NotificationLogout});
        UserNotice::setSink(log);
        OrderManager orders;
        orders.addFood(Menu::dish(u"D1"_s));
        bool done = false;
        orders.sendOrderPack(u"<ClientCommand><Command>OrderPack</Command></ClientCommand>"_s,
                             [&](OrderManager::SendOutcome outcome) {
                                 log->shown << u"done:"_s + QString::number(int(outcome));
                                 done = true;
                             });
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QCoreApplication::processEvents();
        QCOMPARE(log->shown, events);
        QCOMPARE(server.received(), commands);
        // A sent order is cleared, with a new flow number; any other outcome keeps it, locked unless
        // the server refused it.
        const bool sent = events.contains(u"kSendOrderPackSuccess"_s);
        QCOMPARE(summary(orders), sent ? QStringList() : QStringList{u"D D1 1"_s});
        QCOMPARE(orders.isLocked(), !sent && commands.size() == 2 &&
                                        !events.contains(u"error:大厅5号未开台，请输入有效的人数"_s));
        QCOMPARE(LoginState::isLogin(), logoutAfterSend != 6 || !events.contains(u"kSendOrderPackSuccess"_s));
    }

    // The home screen's client report asks the same server check; a send meanwhile is told so at once.
    void checkAlreadyUnderWay()
    {
        ScriptedServer server;
        server.check = reply(u"0"_s, u"服务正常"_s);
        server.checkDelayMs = 300; // still under way when the send asks
        QVERIFY(server.start());
        ConfigManager::defaultManager().setIp(u"127.0.0.1"_s);
        ConfigManager::defaultManager().setPort(QString::number(server.port()));
        auto log = std::make_shared<EventLog>(QStringList{Notify::SendOrderPackFailed});
        UserNotice::setSink(log);
        QVERIFY(ServerRequest::requestWithCommand(CommandMaker::checkServerStatus())->go());
        OrderManager orders;
        std::optional<OrderManager::SendOutcome> outcome;
        orders.sendOrderPack(u"<ClientCommand />"_s,
                             [&](OrderManager::SendOutcome result) { outcome = result; });
        QTRY_VERIFY(outcome.has_value());
        QCOMPARE(*outcome, OrderManager::SendOutcome::AlreadyBusy);
        QCOMPARE(log->shown, (QStringList{u"/progress"_s, u"info:正在检查服务器状态，请稍后再试"_s}));
    }
};

QTEST_GUILESS_MAIN(TestOrderSend)
#include "tst_order_send.moc"
