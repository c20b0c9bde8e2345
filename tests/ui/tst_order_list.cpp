// The order list against the development server with the real order manager: the checks of "下单",
// its own pop-ups, failed sends, print states, gifts, holding, and the flow through the real window.
#include "../storage/BaseDataFixture.h"
#include "AppWindow.h"
#include "DevServerHarness.h"
#include "TestRows.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/OrderManager.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/NetworkChecker.h"
#include "server/ServerRequest.h"
#include "settings/LoginState.h"
#include "storage/DBManager.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"
#include "ui/account/AuthViewController.h"
#include "ui/order/LineNumberEditors.h"
#include "ui/order/OrderListViewController.h"
#include "ui/shell/Navigator.h"

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QJsonArray>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {
// How long an exchange with the server may take: generous, for the sanitizer build on a loaded machine.
constexpr int kWaitMs = 20000;
const QString kChooser = u"TableChooseViewController"_s;
const QString kGuests = u"CusNumChangeViewController"_s;
// The table chooser is driven through its meta-object: its header brings the server's records,
// whose `Row` the development server's harness names otherwise.
enum ChooserField { TableField = 1, GuestField = 2, WaiterField = 3 };
} // namespace

class TestOrderList : public QObject, private AppWindow {
    Q_OBJECT
private:
    DevServerHarness server{DevServerHarness::Catalogue::Demo};
    QStringList shown;
    QString port;

    static OrderManager &orders() { return OrderManager::defaultManager(); }
    static PopViewManager &pops() { return PopViewManager::defaultManager(); }
    static void addFood(const QString &name) { orders().addFood(UiTest::demoDish(name)); }
    static bool idle() { return !NoticeBoard::instance().progressVisible(); }

    static QString topPopup()
    {
        const auto open = pops().arrControllers();
        return open.isEmpty() ? QString() : QString::fromLatin1(open.last()->metaObject()->className());
    }

    // The top pop-up once one is up (of class `name`, when given).
    template <typename Popup = QObject> static Popup *waitForPopup(const QString &name = {})
    {
        const bool up = QTest::qWaitFor(
            [&] { return name.isEmpty() ? !topPopup().isEmpty() : topPopup() == name; }, kWaitMs);
        return up ? qobject_cast<Popup *>(pops().arrControllers().last()) : nullptr;
    }

    static void setDesk(const QString &desk, const QString &guests)
    {
        orders().changePack([&](OrderPack &pack) {
            pack.DeskNo = desk.isEmpty() ? std::nullopt : std::optional<QString>(desk);
            pack.CustCount = guests.isEmpty() ? std::nullopt : std::optional<QString>(guests);
        });
    }

    static void deleteHeldOrders()
    {
        for (const Guadan &each : heldOrders())
            DBManager::mainDBManager().deleteGuadanById(each.gid, [](bool) {});
    }

    static QStringList lineSummary()
    {
        QStringList out;
        for (const auto &line : orders().arrOrders())
            out << line->foodName + u'×' + line->OrderQuantity();
        return out;
    }

    std::unique_ptr<OrderListViewController> openList()
    {
        auto list = std::make_unique<OrderListViewController>();
        list->viewDidLoad();
        return list;
    }

    QJsonArray recorded(const QString &command)
    {
        return server.controlGet(u"/__control/commands?command="_s + command)[u"commands"_s].toArray();
    }

    // The value of a header field of the last order pack the server received.
    QString lastPackField(const QString &field)
    {
        const QJsonArray packs = recorded(u"OrderPack"_s);
        if (packs.isEmpty())
            return u"<none>"_s;
        const QString xml = packs.last()[u"xml"_s].toString();
        return QRegularExpression(u"<"_s + field + u">([^<]*)</"_s + field + u">"_s).match(xml).captured(1);
    }

    void loginAs(const QString &id, const QString &name)
    {
        LoginState::setLoggedIn(id, name);
        PostNotificationInMainThread(Notify::NotificationLoginOk, name);
    }

    // The screen `screen` gone and the transition over.
    void leave(const QString &screen)
    {
        QTRY_VERIFY(!item(screen));
        QTRY_VERIFY(stackIdle());
    }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        QVERIFY2(server.start(), qPrintable(server.lastError()));
        port = QString::number(server.port());
        QVERIFY(show(u"tst_order_list"_s, server.port(), server.baseUrl().toUtf8()));
        QCOMPARE(server.login(u"001"_s, u"123"_s).code, u"0"_s);
        connect(&NoticeBoard::instance(), &NoticeBoard::shown, this,
                [this](NoticeBoard::Kind kind, const QString &text) {
                    static const QStringList kinds{u"error"_s,    u"info"_s,    u"success"_s,
                                                   u"progress"_s, u"confirm"_s, u"alert"_s};
                    if (kind != NoticeBoard::Progress)
                        shown << kinds.value(kind) + u'|' + text;
                });
    }

    void init()
    {
        ConfigManager &config = ConfigManager::defaultManager();
        config.setIp(u"127.0.0.1"_s);
        config.setPort(port);
        config.setTimeout(8);
        config.setLockTable(false);
        config.setBindTableNo(std::nullopt);
        config.setShowOrderListStatus(false);
        config.setCtLogoutAfterSend(5);
        config.setIsCusMode(false);
        NetworkChecker::sharedInstance().check();
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        QCOMPARE(server.controlPost(u"/__control/clear"_s), 200);
        orders().deleteAllFoodOrders();
        orders().genNewPack();
        loginAs(u"001"_s, u"王喆"_s);
        QCoreApplication::processEvents();
        shown.clear();
    }

    void cleanup()
    {
        QVERIFY(UiTest::closePopups());
        while (NoticeBoard::instance().dialogVisible())
            NoticeBoard::instance().answerDialog(false);
        QTRY_VERIFY(idle());
        NoticeBoard::instance().hideToast();
        UI_VERIFY_NO_WARNINGS();
    }

    void cleanupTestCase()
    {
        engine.reset();
        server.stop();
    }

    // "下单" stops at the first check that fails: network, lines, bound table, table and guests,
    // market price (login first: the service walk). A pack that passes reaches the server ("sent":
    // desk/guests recorded).
    void sendChecks_data()
    {
        columns<QString, QStringList, QString, QString>("setup", "expected", "popup", "sent");
        const QStringList offline{u"error|没有连接到网络或后台监控服务没有开启，请检查"_s};
        const QStringList noLines{u"error|请先点菜"_s};
        const QStringList ok{u"success|下单成功，共1道菜"_s};
        const QStringList none;
        // clang-format off
        QTest::newRow("network before lines") << u"offline"_s << offline << QString() << QString();
        QTest::newRow("no lines, no table") << QString() << noLines << QString() << QString();
        QTest::newRow("locked, nothing bound") << u"line lock:"_s << QStringList{u"error|请先设置绑定桌台"_s}
                                               << QString() << QString();
        QTest::newRow("locked, table open with 4") << u"line open:A03:4 lock:A03"_s << ok << QString() << u"A03/4"_s;
        QTest::newRow("locked, table free") << u"line lock:A04"_s << none << kGuests
                                            << QString();
        QTest::newRow("locked, guests given") << u"line lock:A05 desk::3"_s << ok << QString() << u"A05/3"_s;
        QTest::newRow("market price 0") << u"line price0 desk:A07:2"_s
                                        << QStringList{u"error|时价菜的价格不能为 0，请先修改"_s} << QString() << QString();
        QTest::newRow("table before market price") << u"line price0"_s << none << kChooser << QString();
        QTest::newRow("market price 0 as a component") << u"component0 desk:A08:2"_s
                                                       << QStringList{u"success|下单成功，共4道菜"_s} << QString() << u"A08/2"_s;
        QTest::newRow("log out after send") << u"line logoutAfterSend desk:A12:2"_s
                                            << QStringList{ok.first(), u"info|当前用户已注销"_s} << QString() << u"A12/2"_s;
        QTest::newRow("stock-limited dish") << u"shortStock desk:A12:2"_s
            << QStringList{u"alert|下单成功，共1道菜；以下菜品沽清未成功：凉拌木耳(剩余0)"_s} << QString() << u"A12/2"_s;
        // clang-format on
    }
    void sendChecks()
    {
        auto [setup, expected, popup, sent] =
            row<QString, QStringList, QString, QString>("setup", "expected", "popup", "sent");
        ConfigManager &config = ConfigManager::defaultManager();
        for (const QString &step : setup.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList part = step.split(u':');
            if (step == u"line") {
                addFood(u"宫保鸡丁"_s);
            } else if (step == u"offline") {
                config.setIp(QString());
                NetworkChecker::sharedInstance().check();
            } else if (part.first() == u"lock") {
                config.setLockTable(true);
                config.setBindTableNo(part.at(1).isEmpty() ? std::nullopt
                                                           : std::optional<QString>(part.at(1)));
            } else if (part.first() == u"open") {
                const QString fields = u"DeskNo="_s + part.at(1) + u"&CustCount="_s + part.at(2);
                QCOMPARE(server.command(u"KaiTai"_s, fields, u"001"_s).code, u"0"_s);
            } else if (part.first() == u"desk") {
                setDesk(part.at(1), part.at(2));
            } else if (step == u"price0") {
                addFood(u"清蒸石斑鱼"_s);
            } else if (step == u"component0") {
                // A set meal whose first component is a market-price dish still without a price.
                Food meal = UiTest::demoDish(u"商务套餐A"_s);
                DBManager::defaultManager().getTFoodDataWithFood(meal);
                Food &component = meal.arrSuiteFoods.first();
                component.info = std::make_shared<FoodInfo>(*component.info);
                component.info->currpriceFlag = u"Y"_s;
                component.info->salePrice1 = 0;
                orders().addFood(meal);
                QCOMPARE(orders().arrOrders().size(), 4);
            } else if (step == u"logoutAfterSend") {
                config.setCtLogoutAfterSend(6);
            } else if (step == u"shortStock") {
                const Food dish = UiTest::demoDish(u"凉拌木耳"_s);
                QVERIFY(server.restart(dish.info->foodno + u"=0"_s));
                port = QString::number(server.port());
                config.setPort(port);
                NetworkChecker::sharedInstance().check();
                orders().addFood(dish);
            }
        }
        const QStringList before = lineSummary();
        auto list = openList();
        list->sendFlow()->start();

        if (!popup.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(topPopup(), popup, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(shown, expected, kWaitMs);
        QTRY_VERIFY(idle());
        QCOMPARE(lastPackField(u"DeskNo"_s) + u'/' + lastPackField(u"CustCount"_s),
                 sent.isEmpty() ? u"<none>/<none>"_s : sent);
        if (sent.isEmpty()) {
            QCOMPARE(lineSummary(), before);
            QCOMPARE(popup.isEmpty(), pops().arrControllers().isEmpty());
            // The send waits for the dialog that supplies what is missing, and only for that one.
            const QHash<QString, OrderSendFlow::State> waits{{kChooser, OrderSendFlow::State::AwaitingTable},
                                                             {kGuests, OrderSendFlow::State::AwaitingGuests}};
            QCOMPARE(list->sendFlow()->state(), waits.value(popup, OrderSendFlow::State::Idle));
            if (popup == kChooser)
                QCOMPARE(pops().arrControllers().last()->property("requestId").toString(), u"1"_s);
            return;
        }
        QTRY_VERIFY(orders().arrOrders().isEmpty() && list->rows()->count() == 0 &&
                    list->quantityText().isEmpty());
        QTRY_COMPARE(list->tableTitle(),
                     config.lockTable() ? u"桌台"_s + sent.section(u'/', 0, 0) : u"桌台"_s);
        QTRY_COMPARE(list->toolbarVisible(), config.ctLogoutAfterSend() != 6);
        QCOMPARE(LoginManager::isLogin(), config.ctLogoutAfterSend() != 6);
    }

    // Only the chooser (request "1") and the guest editor the screen opened itself start a send (the
    // chooser "下单" opens: the window flow); the others send nothing.
    void popupConfirmations_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("chooser from the toolbar") << u"toolbar"_s;
        QTest::newRow("someone else's chooser, request 1") << u"foreignChooser"_s;
        QTest::newRow("someone else's guest editor") << u"foreignGuests"_s;
    }
    void popupConfirmations()
    {
        QFETCH(QString, opener);
        addFood(u"麻婆豆腐"_s);
        auto list = openList();
        if (opener == u"toolbar")
            list->showTables();
        else if (opener == u"foreignChooser")
            pops().popTableChooseView(QVariant::fromValue(orders().orderPack()), -1, u"1"_s);
        else
            pops().popCusNumChangeView();

        if (opener == u"foreignGuests") {
            setDesk(u"B01"_s, {});
            auto *guests = waitForPopup<CusNumChangeViewController>();
            QVERIFY(guests);
            guests->setText(u"2"_s);
            guests->confirm();
        } else {
            QObject *chooser = waitForPopup(kChooser);
            QVERIFY(chooser);
            QMetaObject::invokeMethod(chooser, "setField", Q_ARG(int, TableField), Q_ARG(QString, u"A09"_s));
            QMetaObject::invokeMethod(chooser, "setField", Q_ARG(int, GuestField), Q_ARG(QString, u"2"_s));
            QMetaObject::invokeMethod(chooser, "confirm");
            // Only the screen's own chooser retitles its table button.
            QCOMPARE(list->tableTitle(), opener.startsWith(u"foreign") ? u"桌台"_s : u"桌台A09"_s);
        }
        QTRY_VERIFY(pops().arrControllers().isEmpty());
        QTest::qWait(200);
        QCOMPARE(recorded(u"CheckServerStatus"_s).size(), 0);
        QCOMPARE(lineSummary(), QStringList{u"麻婆豆腐×1.00"_s});
    }

    // A failed send keeps the order and its flow number; the second goes with that number, once. A
    // send while the home screen's server check is on its way is told to try again. (A refusal and
    // a time-out: the console run, through the same sender.)
    void failedSendsKeepTheOrder_data()
    {
        columns<QString, QString, QStringList>("fault", "desk", "firstShown");
        const QString unknown = u"info|下单结果未知，请再次下单"_s;
        // clang-format off
        QTest::newRow("dropped reply") << u"command=OrderPack&kind=drop&execute=1"_s << u"A15"_s
                                       << QStringList{u"error|网络连接错误"_s, unknown};
        QTest::newRow("unreadable check") << u"command=CheckServerStatus&kind=notxml"_s << u"A16"_s
                                          << QStringList{u"error|解析错误"_s};
        QTest::newRow("check already on its way") << u"command=CheckServerStatus&kind=delay&ms=1500"_s << u"A11"_s
                                                  << QStringList{u"info|正在检查服务器状态，请稍后再试"_s};
        // clang-format on
    }
    void failedSendsKeepTheOrder()
    {
        auto [fault, desk, firstShown] = row<QString, QString, QStringList>("fault", "desk", "firstShown");
        QCOMPARE(server.controlPost(u"/__control/faults?"_s + fault), 200);
        const auto homeReport = ServerRequest::requestWithCommand(CommandMaker::checkServerStatus());
        if (fault.contains(u"CheckServerStatus&kind=delay"))
            QVERIFY(homeReport->go());
        addFood(u"宫保鸡丁"_s);
        addFood(u"麻婆豆腐"_s);
        addFood(u"麻婆豆腐"_s);
        setDesk(desk, u"2"_s);
        const QString flowNo = orders().orderPack()->UniqueFlowNo.value_or(QString());
        auto list = openList();
        list->sendFlow()->start();
        QTRY_COMPARE_WITH_TIMEOUT(shown, firstShown, kWaitMs);
        QTRY_VERIFY(idle());
        QCOMPARE(lineSummary(), (QStringList{u"宫保鸡丁×1.00"_s, u"麻婆豆腐×2.00"_s}));
        QCOMPARE(orders().orderPack()->UniqueFlowNo.value_or(QString()), flowNo);
        QCOMPARE(list->rows()->count(), 2);

        // The delayed exchange ends in its own time; then the order is sent again.
        QTest::qWait(fault.contains(u"delay") ? 2000 : 0);
        shown.clear();
        list->sendFlow()->start();
        QTRY_COMPARE_WITH_TIMEOUT(shown, QStringList{u"success|下单成功，共2道菜"_s}, kWaitMs);
        QCOMPARE(lastPackField(u"UniqueFlowNo"_s), flowNo);
        QCOMPARE(server.saleList(desk).size(), 2);
        QTRY_VERIFY(orders().arrOrders().isEmpty());
        QVERIFY(orders().orderPack()->UniqueFlowNo.value_or(QString()) != flowNo);
    }

    // Print states cycle 即起 → 等叫 → 不出 → 即起, per line or all lines; with the setting off, a notice.
    void printStates_data()
    {
        columns<bool, bool, QStringList>("allowed", "wholeOrder", "labels");
        QTest::newRow("one line") << true << false << QStringList{u"等叫"_s, u"不出"_s, u"即起"_s};
        QTest::newRow("whole order") << true << true << QStringList{u"等叫"_s, u"不出"_s, u"即起"_s};
        QTest::newRow("not allowed, one line") << false << false << QStringList{u"即起"_s};
    }
    void printStates()
    {
        auto [allowed, wholeOrder, labels] = row<bool, bool, QStringList>("allowed", "wholeOrder", "labels");
        ConfigManager::defaultManager().setShowOrderListStatus(allowed);
        addFood(u"宫保鸡丁"_s);
        addFood(u"麻婆豆腐"_s);
        auto list = openList();
        OrderListModel *rows = list->rows();
        QStringList seen;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            wholeOrder ? list->switchState() : list->switchLineState(1);
            seen << rows->index(1).data(OrderListModel::StateLabelRole).toString();
        }
        seen << rows->index(0).data(OrderListModel::StateLabelRole).toString(); // the other line
        QCOMPARE(seen, labels + QStringList{wholeOrder ? labels.last() : u"即起"_s});
        QCOMPARE(rows->index(1).data(OrderListModel::StateColorRole).toString(),
                 OrderListModel::stateColor(orders().arrOrders().at(1)->PrintState));
        QCOMPARE(shown, allowed ? QStringList() : QStringList{u"info|落单状态不可调整，可在设置中切换"_s});
    }

    // A gift on the operator's own authority is recorded with them; anyone else, or nobody, goes
    // through the authorisation dialog. Logging out ends gift mode.
    void gifts_data()
    {
        // operatorId: empty: nobody logged in
        columns<QString, bool>("operatorId", "dialog");
        QTest::newRow("operator with authority") << u"001"_s << false;
        QTest::newRow("operator without authority") << u"002"_s << true;
        QTest::newRow("after logout") << QString() << true;
    }
    void gifts()
    {
        auto [operatorId, dialog] = row<QString, bool>("operatorId", "dialog");
        addFood(u"宫保鸡丁"_s);
        auto list = openList();
        list->gifts()->toggle();
        QVERIFY(list->gifts()->isActive());
        QVERIFY(list->rows()->index(0).data(OrderListModel::GiftVisibleRole).toBool());
        if (operatorId.isEmpty()) {
            LoginManager::defaultManager().logout();
            QTRY_VERIFY(!list->gifts()->isActive());
            QVERIFY(!list->rows()->index(0).data(OrderListModel::GiftVisibleRole).toBool());
            list->gifts()->toggle();
        } else if (operatorId != u"001") {
            loginAs(operatorId, u"另一位"_s);
        }
        list->toggleGift(0);
        const auto line = orders().arrOrders().at(0);
        if (dialog) {
            auto *auth = waitForPopup<AuthViewController>();
            QVERIFY(auth);
            QVERIFY(!line->isZengSong());
            auth->setAccount(u"001"_s);
            auth->setPassword(u"123"_s);
            auth->confirm();
        }
        QTRY_VERIFY(line->isZengSong());
        QCOMPARE(line->authID + u'|' + line->PriceSale1(), u"001|赠送"_s);
        QTRY_COMPARE(list->rows()->index(0).data(OrderListModel::IsGiftRole).toBool(), true);
        QVERIFY(!list->rows()->index(0).data(OrderListModel::PriceActiveRole).toBool());
    }

    // The hold button follows the lines: an order started while it reads "取 单" is held, not replaced;
    // with nothing ordered it opens the held orders (taking one back: tst_order_editors).
    void holdAndRestore()
    {
        deleteHeldOrders();
        auto list = openList();
        QVERIFY(list->canGuaDan());
        list->guaDan();
        QCOMPARE(shown, QStringList{u"error|没有挂单数据"_s});

        addFood(u"宫保鸡丁"_s);
        list->guaDan();
        QTRY_VERIFY(orders().arrOrders().isEmpty());
        QTRY_COMPARE(list->guaDanTitle(), u"取 单"_s);

        addFood(u"麻婆豆腐"_s);
        QTRY_COMPARE(list->guaDanTitle(), u"挂 单"_s);
        list->guaDan();
        QTRY_VERIFY(orders().arrOrders().isEmpty());
        QCoreApplication::processEvents();
        QVERIFY(pops().arrControllers().isEmpty());
        QCOMPARE(heldOrders().size(), 2);
        list->guaDan();
        QTRY_COMPARE(topPopup(), u"GuaDanViewController"_s);
        deleteHeldOrders();
    }

    // A step changes quantity and totals; removing asks with the plain name and the sold-out mark.
    void rowsAndRemoval()
    {
        orders().addFood(UiTest::demoDish(u"宫保鸡丁"_s), std::nullopt, 2);
        auto list = openList();
        OrderListModel *rows = list->rows();
        QAbstractItemModelTester tester(rows);
        list->add(0);
        QTRY_COMPARE(list->quantityText(), u"3"_s);
        QCOMPARE(list->amountText(),
                 QString::asprintf("%.2f", 3 * double(UiTest::demoDish(u"宫保鸡丁"_s).info->salePrice1)));
        QCOMPARE(rows->index(0).data(OrderListModel::QuantityRole).toString(), u"3.00"_s);
        orders().changeLine(orders().arrOrders().at(0), [](FoodOrder &line) { line.isSoldOut = true; });
        QVERIFY(rows->index(0).data(OrderListModel::NameRole).toString().contains(u"<font color=\"red\">"_s));
        list->remove(0);
        QTRY_VERIFY(NoticeBoard::instance().dialogVisible());
        QCOMPARE(NoticeBoard::instance().dialogMessage(), u"\"宫保鸡丁(已售罄)\"，确定要删除吗？"_s);
        NoticeBoard::instance().answerDialog(true);
        QTRY_COMPARE(rows->count(), 0);
        QCOMPARE(list->quantityText(), QString());
    }

    // "餐台操作" opens the board's screen by name.
    void tableOpScreen()
    {
        // The window is not told: its stack has no such screen in this tree.
        Navigator &navigator = Navigator::instance();
        navigator.blockSignals(true);
        auto list = openList();
        list->showTableOp();
        const QStringList screens = navigator.screens();
        navigator.pop();
        navigator.blockSignals(false);
        QCOMPARE(screens.mid(1), QStringList{u"TableOpScreen"_s});
    }

    // A guest's "查账单" on the window: the bill opens only with the server's lines, else the notice.
    void billInCustomerMode_data()
    {
        columns<QString, QString, QString>("bound", "fault", "notice");
        QTest::newRow("no bound table")
            << QString() << QString() << u"error|只能查询绑定的桌台账单，请先设置绑定桌台"_s;
        QTest::newRow("refused") << u"Z99"_s << QString() << u"error|台号(Z99)不存在"_s;
        QTest::newRow("failed") << u"V01"_s << u"drop"_s << u"error|网络连接错误"_s;
        QTest::newRow("opened") << u"V01"_s << QString() << QString();
    }
    void billInCustomerMode()
    {
        auto [bound, fault, notice] = row<QString, QString, QString>("bound", "fault", "notice");
        const Food dish = UiTest::demoDish(u"宫保鸡丁"_s);
        const OrderLine line = OrderLine::of(dish.info->foodno, dish.info->foodName, u"2"_s, u"18.5"_s);
        if (notice.isEmpty())
            QCOMPARE(server.order(bound, u"bill-1"_s, {line}, u"2"_s, u"001"_s).code, u"0"_s);
        if (!fault.isEmpty())
            QCOMPARE(server.controlPost(u"/__control/faults?command=GetDeskSaleList&kind="_s + fault), 200);
        ConfigManager::defaultManager().setIsCusMode(true);
        ConfigManager::defaultManager().setBindTableNo(bound.isEmpty() ? std::nullopt : std::optional(bound));
        Navigator::instance().push(u"OrderListScreen"_s);
        QVERIFY(opened(u"orderListScreen"_s));
        UiTest::tap(item(u"btnTableOp"_s));
        if (notice.isEmpty()) {
            QQuickItem *bill = settledPopup();
            QVERIFY(bill);
            QCOMPARE(textIn(bill, u"billTotal"_s), u"总计：37.00"_s);
            closePopup(bill, u"closeButton"_s);
        }
        QTRY_COMPARE_WITH_TIMEOUT(shown, notice.isEmpty() ? QStringList() : QStringList{notice}, kWaitMs);
        QTRY_VERIFY(idle());
        QVERIFY(pops().arrControllers().isEmpty());
        Navigator::instance().popToRoot();
        leave(u"orderListScreen"_s);
    }

    // Through the window (logging in, "+", "已点品项" and the quantity keypad: the accessibility walk):
    // the list, gift mode, "下单", A01 and 3 guests typed on the chooser; the server has it.
    void orderingThroughTheWindow()
    {
        orders().addFood(UiTest::demoDish(u"宫保鸡丁"_s), std::nullopt, 2);
        Navigator::instance().push(u"OrderListScreen"_s);
        QVERIFY(opened(u"orderListScreen"_s));
        QTRY_VERIFY(UiTest::findItem(item(u"orderList"_s), u"orderRow_0"_s));
        hideToast();
        saveScreenshot(u"order-list"_s);
        UiTest::tap(item(u"btnZengSong"_s));
        QTRY_VERIFY(item(u"giftHeading"_s)->isVisible());
        saveScreenshot(u"order-list-gift-mode"_s);
        UiTest::tap(item(u"btnZengSong"_s));

        UiTest::tap(item(u"btnSend"_s));
        QQuickItem *chooser = settledPopup();
        QVERIFY(chooser);
        UiTest::tap(UiTest::findItem(chooser, u"table_0"_s));
        QObject *controller = waitForPopup(kChooser);
        QVERIFY(controller);
        QCOMPARE(controller->property("tableNo").toString(), u"A01"_s);
        // A tap on a field's label, text or edge moves the keys there, with the field's keypad;
        // typing into the table number after the guests lands in the table number.
        const auto field = [&chooser](int index) {
            return UiTest::findItem(chooser, u"field_"_s + QString::number(index));
        };
        QCOMPARE(controller->property("editingField").toInt(), int(TableField));
        UiTest::tap(UiTest::findItem(field(GuestField), u"fieldText"_s));
        QTRY_COMPARE(controller->property("editingField").toInt(), int(GuestField));
        tapKeys(chooser, {u"3"_s});
        UiTest::tap(field(WaiterField), UiTest::Spot::Left);
        QTRY_COMPARE(controller->property("editingField").toInt(), int(WaiterField));
        UiTest::tap(UiTest::findItem(field(TableField), u"fieldInput"_s));
        tapKeys(chooser, {u"A"_s, u"0"_s, u"2"_s});
        UiTest::tap(field(WaiterField), UiTest::Spot::Right);
        UiTest::tap(field(TableField), UiTest::Spot::Right);
        tapKeys(chooser, {u"A"_s, u"0"_s, u"1"_s});
        QCOMPARE(controller->property("tableNo").toString() + u'/' +
                     controller->property("guests").toString(),
                 u"A01/3"_s);
        UiTest::tap(UiTest::findItem(chooser, u"confirmButton"_s));
        QTRY_VERIFY_WITH_TIMEOUT(orders().arrOrders().isEmpty(), kWaitMs);
        QTRY_VERIFY(frames().isEmpty());
        QCOMPARE(lastPackField(u"DeskNo"_s) + u'/' + lastPackField(u"CustCount"_s), u"A01/3"_s);
        QTRY_COMPARE(UiTest::findItem(item(u"orderList"_s), u"orderRow_0"_s), nullptr);

        // The customer's view of the same screen, with a set meal and its components.
        addFood(u"麻婆豆腐"_s);
        Food meal = UiTest::demoDish(u"商务套餐A"_s);
        DBManager::defaultManager().getTFoodDataWithFood(meal);
        orders().addFood(meal);
        ConfigManager::defaultManager().setIsCusMode(true);
        UiTest::tap(UiTest::findItem(item(u"orderListScreen"_s), u"backButton"_s));
        leave(u"orderListScreen"_s);
        Navigator::instance().push(u"OrderListScreen"_s);
        QVERIFY(opened(u"orderListScreen"_s));
        QVERIFY(!item(u"btnZengSong"_s));
        QVERIFY(item(u"btnTableOp"_s));
        hideToast();
        saveScreenshot(u"order-list-customer"_s);
        Navigator::instance().popToRoot();
        leave(u"orderListScreen"_s);
    }
};

DIANCAI_UI_TEST_MAIN(TestOrderList)
#include "tst_order_list.moc"
