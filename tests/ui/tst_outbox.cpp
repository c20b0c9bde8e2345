// The outbox in the real window against the development server: "稍后自动发送" on a send that cannot
// reach the server, the top bar's count, and the list's retry and cancel.
#include "AppWindow.h"
#include "DevServerHarness.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "order/Outbox.h"
#include "server/NetworkChecker.h"
#include "settings/LoginState.h"
#include "storage/DBManager.h"
#include "ui/shell/Navigator.h"

#include <QJsonArray>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

class TestOutbox : public QObject, private AppWindow {
    Q_OBJECT
private:
    static constexpr int kWaitMs = 20000;
    DevServerHarness server{DevServerHarness::Catalogue::Demo};

    static void pointAt(int port)
    {
        ConfigManager::defaultManager().setPort(QString::number(port));
        NetworkChecker::sharedInstance().check();
    }

    // The tables of the order packs the server received, in order.
    QStringList tablesSent()
    {
        QStringList tables;
        const QRegularExpression desk(u"<DeskNo>([^<]*)</DeskNo>"_s);
        for (const auto &pack :
             server.controlGet(u"/__control/commands?command=OrderPack"_s)[u"commands"_s].toArray())
            tables << desk.match(pack[u"xml"_s].toString()).captured(1);
        return tables;
    }

    // With the server out of reach: an order for `desk`, "下单", and the notice's "稍后自动发送".
    void queueOrder(const QString &desk)
    {
        pointAt(DevServerHarness::closedLoopbackPort());
        OrderManager &orders = OrderManager::defaultManager();
        orders.addFood(UiTest::demoDish(u"拍黄瓜"_s));
        orders.changePack([&](OrderPack &pack) {
            pack.DeskNo = desk;
            pack.CustCount = u"2"_s;
        });
        if (!item(u"orderListScreen"_s)) {
            UiTest::tap(item(u"orderEntrance"_s));
            QVERIFY(opened(u"menuScreen"_s));
            UiTest::tap(item(u"orderListButton"_s));
            QVERIFY(opened(u"orderListScreen"_s));
        }
        UiTest::tap(item(u"btnSend"_s));
        QQuickItem *action = item(u"noticeToastAction"_s);
        QTRY_VERIFY_WITH_TIMEOUT(action->isVisible(), kWaitMs);
        QCOMPARE(NoticeBoard::instance().toastKind(), NoticeBoard::Error);
        QCOMPARE(action->property("text").toString(), u"稍后自动发送"_s);
        UiTest::tap(action);
        QTRY_VERIFY(orders.arrOrders().isEmpty() && !action->isVisible());
    }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        QVERIFY2(server.start(), qPrintable(server.lastError()));
        QVERIFY(show(u"tst_outbox"_s, server.port(), server.baseUrl().toUtf8()));
        // As the terminal does once its window is up: the order is kept, the outbox resumes.
        StartupSequence::adoptKeptOrder();
        QCOMPARE(server.login(u"001"_s, u"123"_s).code, u"0"_s);
        ConfigManager::defaultManager().setIp(u"127.0.0.1"_s);
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        PostNotificationInMainThread(Notify::NotificationLoginOk, u"王喆"_s);
    }

    void cleanup()
    {
        pointAt(server.port());
        QVERIFY(UiTest::closePopups());
        NoticeBoard::instance().hideToast();
        Navigator::instance().popToRoot();
        QTRY_VERIFY(!item(u"orderListScreen"_s) && stackIdle());
        UI_VERIFY_NO_WARNINGS();
    }

    void cleanupTestCase()
    {
        engine.reset();
        server.stop();
    }

    // Two orders queued while the server is away; back, one "立即重试" sends both, once, in order.
    void queuedOrdersGoOnRetry()
    {
        queueOrder(u"A03"_s);
        queueOrder(u"A05"_s);
        if (QTest::currentTestFailed())
            return;
        // Each screen has its own: the order list's, on top.
        QQuickItem *badge = UiTest::findItem(item(u"orderListScreen"_s), u"outboxBadge"_s);
        QVERIFY(badge);
        QTRY_COMPARE(badge->property("text").toString(), u"待发送 2"_s);
        UiTest::tap(badge);
        QQuickItem *list = settledPopup();
        QVERIFY(list);
        hideToast();
        saveScreenshot(u"outbox"_s);

        pointAt(server.port());
        UiTest::tap(UiTest::findItem(UiTest::findItem(list, u"outboxRow_1"_s), u"retryButton"_s));
        // The badge is made only while orders wait.
        QTRY_VERIFY_WITH_TIMEOUT(!UiTest::findItem(item(u"orderListScreen"_s), u"outboxBadge"_s), kWaitMs);
        QCOMPARE(tablesSent(), (QStringList{u"A03"_s, u"A05"_s}));
        QVERIFY(UiTest::findItem(list, u"outboxEmpty"_s)->isVisible());
    }

    // From the staff screen's entry: "取消", confirmed, moves the order to the held orders unsent.
    void cancelledOrderIsHeld()
    {
        queueOrder(u"A06"_s);
        if (QTest::currentTestFailed())
            return;
        Navigator::instance().popToRoot();
        QTRY_VERIFY(stackIdle());
        UiTest::tap(item(u"staffEntrance"_s));
        QVERIFY(opened(u"staffScreen"_s));
        QVERIFY(UiTest::findItem(item(u"staffScreen"_s), u"outboxBadge"_s));
        UiTest::tap(item(u"staffEntry_7"_s));
        QQuickItem *list = settledPopup();
        QVERIFY(list);
        // An attempt without a definite answer: the question warns that it may have arrived.
        OutboxRow sent = Outbox::defaultOutbox().entries().value(0);
        sent.unconfirmed = true;
        QVERIFY(OrderManager::defaultManager().keeper()->updateQueued(sent));
        NotificationCenter::defaultCenter().post(Notify::OutboxChanged); // as the outbox does on a change
        UiTest::tap(UiTest::findItem(UiTest::findItem(list, u"outboxRow_0"_s), u"cancelOrderButton"_s));
        QTRY_VERIFY(NoticeBoard::instance().dialogVisible());
        QCOMPARE(textOf(u"dialogMessage"_s),
                 u"桌台A06的订单将不再发送，移入挂单\n它可能已送达厨房：从挂单再次下单可能重复"_s);
        UiTest::tap(item(u"dialogConfirm"_s));
        QTRY_VERIFY(!UiTest::findItem(item(u"staffScreen"_s), u"outboxBadge"_s));
        QList<Guadan> held;
        DBManager::mainDBManager().getOrderPacks([&held](const QList<Guadan> &packs) { held = packs; });
        QCOMPARE(held.size(), 1);
        QVERIFY(held.first().content.contains(u"<DeskNo>A06</DeskNo>"_s));
        QVERIFY(!tablesSent().contains(u"A06"_s));
    }
};

DIANCAI_UI_TEST_MAIN(TestOutbox)
#include "tst_outbox.moc"
