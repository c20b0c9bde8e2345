// The table board, its table dialogs, the dish-operation dialog and the bill, against the
// development server on the demo catalogue: the checks before a dialog, the pre-filled fields, the
// exact commands (read back from the server), the refreshes, the faults, one result per board and
// one print per tap. Last, the whole flow in the real window, with screenshots.
#include "TableServer.h"
#include "UiTestSupport.h"

#include "app/StartupSequence.h"
#include "foundation/AppPaths.h"
#include "foundation/CommonUtils.h"
#include "order/DishOperations.h"
#include "order/TableBoard.h"
#include "server/MakerServiceAddress.h"
#include "settings/ConfigManager.h"
#include "settings/LoginState.h"
#include "storage/DBManager.h"
#include "toolkit/KeyboardBase.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"
#include "ui/components/EditingFocus.h"
#include "ui/shell/Navigator.h"
#include "ui/shell/NoticeBoard.h"
#include "ui/shell/PopupFactories.h"
#include "ui/tables/CheckoutOrderViewController.h"
#include "ui/tables/RoomView.h"
#include "ui/tables/StyleTableViewController.h"
#include "ui/tables/TableFormController.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QGuiApplication>
#include <QMetaEnum>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
PopViewManager &pops()
{
    return PopViewManager::defaultManager();
}

template <class T> T *topPopup()
{
    const QList<PopRootViewController *> open = pops().arrControllers();
    return open.isEmpty() ? nullptr : qobject_cast<T *>(open.constLast());
}

bool idle()
{
    return !NoticeBoard::instance().progressVisible();
}

FoodInfo demoDish(const std::function<bool(const FoodInfo &)> &wanted)
{
    FoodInfo found;
    DBManager::defaultManager().getFoodInfo2([&](const QList<FoodInfo> &dishes) {
        for (const FoodInfo &dish : dishes) {
            if (found.foodno.isEmpty() && wanted(dish))
                found = dish;
        }
    });
    return found;
}

// An ordinary dish with a price, sold by the portion.
FoodInfo plainDish()
{
    return demoDish([](const FoodInfo &dish) { return dish.foodName == u"拍黄瓜"; });
}

FoodInfo weighedDish()
{
    return demoDish([](const FoodInfo &dish) { return dish.foodName == u"白灼基围虾"; });
}

QString orderLine(const FoodInfo &dish, const QString &qty)
{
    return QStringList{dish.foodno, dish.foodName, qty, CommonUtils::format2(dish.salePrice1)}.join(u'|');
}

void press(KeyboardBase *keyboard, const QStringList &keys)
{
    for (const QString &key : keys)
        keyboard->click(key);
    QCoreApplication::processEvents();
}
} // namespace

class TestTableBoard : public QObject {
    Q_OBJECT
private:
    TableServer server{true};
    std::unique_ptr<QQmlApplicationEngine> engine;
    QQuickWindow *window = nullptr;
    QStringList notices;
    std::vector<std::unique_ptr<RoomView>> boards;

    // A board set up against the server, with `table` selected (none for an empty text).
    RoomView *board(const QString &table = {})
    {
        boards.push_back(std::make_unique<RoomView>());
        RoomView *made = boards.back().get();
        made->setup();
        [&] { QTRY_VERIFY(idle()); }();
        for (int i = 0; i < made->shownTables().size(); ++i) {
            if (made->shownTables().at(i).deskno == table)
                made->tables()->tap(i);
        }
        return made;
    }

    void seedOpen(const QString &table, const QString &guests)
    {
        QCOMPARE(server.command(u"KaiTai"_s, u"DeskNo="_s + table + u"&CustCount="_s + guests, u"001"_s),
                 u"0"_s);
    }

    void injectFault(const QString &command, const QString &kind)
    {
        QCOMPARE(server.controlPost(u"/__control/faults?command="_s + command + u"&kind="_s + kind), 200);
    }

    static QString fields(const QString &xml, const QStringList &names)
    {
        QStringList shown;
        for (const QString &name : names)
            shown.append(name + u'=' +
                         (TableServer::hasField(xml, name) ? TableServer::field(xml, name) : u"-"_s));
        return shown.join(u';');
    }

    QQuickItem *item(const QString &name) { return UiTest::findItem(window->contentItem(), name); }
    QList<QQuickItem *> frames() { return UiTest::findItems(window->contentItem(), u"popFrame"_s); }
    QString labelOf(const QString &tile)
    {
        QQuickItem *found = item(tile);
        QQuickItem *label = found ? UiTest::findItem(found, u"tableNumber"_s) : nullptr;
        return label ? label->property("text").toString() : QString();
    }

    void saveScreenshot(const QString &name)
    {
        QVERIFY(UiTest::waitForFrame(*window));
        const QImage shot = window->grabWindow();
        QDir().mkpath(QStringLiteral(DIANCAI_SCREENSHOT_DIR));
        QVERIFY(shot.save(QStringLiteral(DIANCAI_SCREENSHOT_DIR) + u'/' + name + u".png"_s));
    }

    // The pop-up on top once it has slid in.
    QQuickItem *settledPopup()
    {
        if (!QTest::qWaitFor([&] { return !frames().isEmpty(); }))
            return nullptr;
        QQuickItem *card = UiTest::findItem(frames().constLast(), u"popCard"_s);
        return QTest::qWaitFor([&] { return qFuzzyCompare(card->y(), 20.0); }) ? frames().constLast()
                                                                               : nullptr;
    }

    void tapKeys(QQuickItem *frame, const QStringList &keys)
    {
        for (const QString &key : keys) {
            QQuickItem *button = UiTest::findItem(frame, u"key_"_s + key);
            QVERIFY2(button && button->isVisible(), qPrintable(key));
            UiTest::tap(button);
        }
    }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        QVERIFY2(server.start(), qPrintable(server.lastError()));
        PopupFactories::registerAll(pops());
        connect(&NoticeBoard::instance(), &NoticeBoard::shown, this,
                [this](NoticeBoard::Kind kind, const QString &text) {
                    if (kind == NoticeBoard::Error || kind == NoticeBoard::Success)
                        notices.append((kind == NoticeBoard::Error ? u"error|"_s : u"success|"_s) + text);
                });
    }

    void init()
    {
        QVERIFY(server.restartFresh());
        ConfigManager::defaultManager().setPort(QString::number(server.port()));
        QCOMPARE(server.login(u"001"_s, u"123"_s), u"0"_s);
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        notices.clear();
    }

    void cleanup()
    {
        for (PopRootViewController *popup : pops().arrControllers())
            popup->dismissSelf();
        QTRY_VERIFY(pops().arrControllers().isEmpty());
        QTRY_VERIFY(idle());
        boards.clear();
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        EditingFocus::instance().clear();
        NoticeBoard::instance().clear();
        UI_VERIFY_NO_WARNINGS();
    }

    void tileTexts_data()
    {
        QTest::addColumn<bool>("hasRow");
        QTest::addColumn<QString>("useIndex");
        QTest::addColumn<QString>("guests");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("second");
        const QString none = u"<none>"_s;
        QTest::newRow("in use") << true << u"1"_s << u"4"_s << u"128.5"_s << u"4人 ￥128.50"_s << u"A01"_s;
        QTest::newRow("free") << true << u"0"_s << u"0"_s << u"0"_s << u"A01"_s << QString();
        QTest::newRow("missing from the reply")
            << false << QString() << QString() << QString() << u"A01"_s << QString();
        QTest::newRow("no guests, no amount") << true << u"1"_s << none << none << u"人 ￥0.00"_s << u"A01"_s;
        QTest::newRow("amount not a number")
            << true << u"1"_s << u"2"_s << u"12元"_s << u"2人 ￥0.00"_s << u"A01"_s;
    }
    void tileTexts()
    {
        QFETCH(bool, hasRow);
        QFETCH(QString, useIndex);
        QFETCH(QString, guests);
        QFETCH(QString, amount);
        QFETCH(QString, number);
        QFETCH(QString, second);
        const auto text = [](const QString &value) {
            return value == u"<none>" ? std::nullopt : std::optional<QString>(value);
        };
        const Row row{u"A01"_s, u"大厅1号"_s, useIndex, text(guests), text(amount)};
        const TableTile tile = TableTile::make({u"A01"_s, u"大厅1号"_s, u"01"_s},
                                               hasRow ? std::optional<Row>(row) : std::nullopt);
        QCOMPARE(tile.number, number);
        QCOMPARE(tile.name, u"大厅1号"_s);
        QCOMPARE(tile.second, second);
        QCOMPARE(tile.inUse, !second.isEmpty());
    }

    // The first state row of a table counts; rows of tables the catalogue lacks are ignored.
    void statesByTable()
    {
        const QList<DeskInfo> tables{{u"A01"_s, u"一"_s, u"01"_s}, {u"A02"_s, u"二"_s, u"01"_s}};
        const QList<Row> rows{{u"A01"_s, {}, u"1"_s, u"4"_s, u"10"_s},
                              {u"A01"_s, {}, u"1"_s, u"9"_s, u"90"_s},
                              {u"Z09"_s, {}, u"1"_s, u"2"_s, u"5"_s}};
        const QHash<QString, Row> states = TableBoard::statesByTable(tables, rows);
        QCOMPARE(states.keys(), QStringList{u"A01"_s});
        QCOMPARE(states.value(u"A01"_s).custNumber, u"4"_s);
    }

    // "所有" lists every table; a room its own. The selection is a table number, gone with a
    // change of room or a refresh.
    void roomsAndSelection()
    {
        RoomView *view = board(u"A01"_s);
        QAbstractItemModelTester tester(view->tables());
        QCOMPARE(view->rooms()->titles().value(0), u"所有"_s);
        const qsizetype all = view->shownTables().size();
        QCOMPARE(view->selectedTableNo(), u"A01"_s);
        view->rooms()->tap(2);
        QCOMPARE(view->selectedTableNo(), QString());
        QVERIFY(!view->shownTables().isEmpty() && view->shownTables().size() < all);
        for (const DeskInfo &desk : view->shownTables())
            QCOMPARE(desk.roomno, view->shownTables().constFirst().roomno);
        view->tables()->tap(0);
        QCOMPARE(view->selectedTableNo(), view->shownTables().constFirst().deskno);
        view->rooms()->tap(0);
        QCOMPARE(view->shownTables().size(), all);
        view->tables()->tap(1);
        view->tapButton(RoomView::Refresh);
        QCOMPARE(view->selectedTableNo(), QString());
        QTRY_VERIFY(idle());
    }

    void everyOperationNeedsATable_data()
    {
        QTest::addColumn<int>("button");
        for (int button = RoomView::KaiTai; button <= RoomView::ChaZhangDan; ++button)
            QTest::newRow(QMetaEnum::fromType<RoomView::Button>().valueToKey(button)) << button;
    }
    void everyOperationNeedsATable()
    {
        QFETCH(int, button);
        RoomView *view = board();
        const qsizetype sent = server.received(QString()).size();
        view->tapButton(button);
        QCOMPARE(notices, QStringList{u"error|请选择桌台"_s});
        QVERIFY(pops().arrControllers().isEmpty());
        QTest::qWait(50);
        QCOMPARE(server.received(QString()).size(), sent);
    }

    // Each dialog's title, labels and first texts; the fields typed; the command the server got;
    // and the states asked for again afterwards.
    void tableDialogs_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("seeded");
        QTest::addColumn<QString>("stateFault");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("prefilled");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("sent");
        const QStringList three{u"台号"_s, u"人数"_s, u"服务员"_s};
        const QStringList two{u"原台"_s, u"目标台"_s};
        QTest::newRow("open") << int(RoomView::KaiTai) << QStringList() << QString() << u"开台操作"_s << three
                              << QStringList{u"A01"_s, u"0"_s, u"001"_s} << QStringList{{}, u"4"_s, {}}
                              << u"KaiTai"_s << u"DeskNo=A01;CustCount=4;WaiterMan=001"_s;
        QTest::newRow("change") << int(RoomView::HuanTai) << QStringList{u"A01=3"_s} << QString()
                                << u"换台操作"_s << two << QStringList{u"A01"_s, QString()}
                                << QStringList{{}, u"A02"_s} << u"ChangeDesk"_s
                                << u"SourceDeskNo=A01;DestDeskNo=A02"_s;
        QTest::newRow("merge") << int(RoomView::BingTai) << QStringList{u"A01=3"_s, u"V01=2"_s} << QString()
                               << u"并台操作"_s << two << QStringList{u"A01"_s, QString()}
                               << QStringList{{}, u"V01"_s} << u"MergeDesk"_s
                               << u"SourceDeskNo=A01;DestDeskNo=V01"_s;
        QTest::newRow("edit") << int(RoomView::GaiTai) << QStringList{u"A01=3"_s} << QString()
                              << u"改台操作"_s << three << QStringList{u"A01"_s, u"3"_s, u"001"_s}
                              << QStringList{{}, u"5"_s, {}} << u"EditDesk"_s
                              << u"DeskNo=A01;CustCount=5;WaiterMan=001"_s;
        QTest::newRow("edit without a state")
            << int(RoomView::GaiTai) << QStringList{u"A01=3"_s} << u"notxml"_s << u"改台操作"_s << three
            << QStringList{u"A01"_s, QString(), u"001"_s} << QStringList{{}, {}, u"002"_s} << u"EditDesk"_s
            << u"DeskNo=A01;CustCount=;WaiterMan=002"_s;
        QTest::newRow("cancel") << int(RoomView::CheTai) << QStringList{u"A01=3"_s} << QString()
                                << u"撤台操作"_s << QStringList{u"台号"_s} << QStringList{u"A01"_s}
                                << QStringList{{}} << u"CancelDesk"_s << u"DeskNo=A01"_s;
    }
    void tableDialogs()
    {
        QFETCH(int, button);
        QFETCH(QStringList, seeded);
        QFETCH(QString, stateFault);
        QFETCH(QString, title);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, prefilled);
        QFETCH(QStringList, typed);
        QFETCH(QString, command);
        QFETCH(QString, sent);
        for (const QString &seed : seeded)
            seedOpen(seed.section(u'=', 0, 0), seed.section(u'=', 1));
        if (!stateFault.isEmpty())
            injectFault(u"GetRoomDeskState"_s, stateFault);
        RoomView *view = board(u"A01"_s);
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        view->tapButton(button);
        auto *dialog = topPopup<TableFormController>();
        QVERIFY(dialog);
        QCOMPARE(dialog->title(), title);
        QCOMPARE(dialog->labels(), labels);
        QCOMPARE(dialog->fields()->texts(), prefilled);
        for (int i = 0; i < typed.size(); ++i) {
            if (!typed.at(i).isEmpty())
                dialog->typeText(i, typed.at(i));
        }
        const qsizetype refreshes = server.received(u"GetRoomDeskState"_s).size();
        dialog->confirm();
        QVERIFY(dialog->isDismissing());
        QTRY_VERIFY(idle());
        const QStringList received = server.received(command);
        QCOMPARE(received.size(), 1);
        QCOMPARE(fields(received.constFirst(),
                        sent.split(u';').replaceInStrings(QRegularExpression(u"=.*"_s), QString())),
                 sent);
        QCOMPARE(TableServer::field(received.constFirst(), u"CashierID"_s), u"001"_s);
        QCOMPARE(server.received(u"GetRoomDeskState"_s).size(), refreshes + 1);
    }

    // The keypad's OK key looks the table numbers up; "确定" hands over whatever was typed.
    void okKeyChecksTableNumbers_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("sent");
        const QString unknown = u"error|不存在的桌台编号"_s;
        QTest::newRow("change to a known table")
            << int(RoomView::HuanTai) << 1 << QStringList{u"A"_s, u"0"_s, u"2"_s} << QStringList()
            << u"ChangeDesk"_s << u"DestDeskNo=A02"_s;
        QTest::newRow("change to an unknown table")
            << int(RoomView::HuanTai) << 1 << QStringList{u"Z"_s, u"9"_s} << QStringList{unknown}
            << u"ChangeDesk"_s << u"DestDeskNo=Z9"_s;
        QTest::newRow("cancel an unknown table") << int(RoomView::CheTai) << 0 << QStringList{u"Q"_s, u"1"_s}
                                                 << QStringList{unknown} << u"CancelDesk"_s << u"DeskNo=Q1"_s;
        QTest::newRow("guests on the digit keypad")
            << int(RoomView::KaiTai) << 1 << QStringList{u"Q"_s, u"6"_s} << QStringList() << u"KaiTai"_s
            << u"CustCount=6"_s;
    }
    void okKeyChecksTableNumbers()
    {
        QFETCH(int, button);
        QFETCH(int, field);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, shown);
        QFETCH(QString, command);
        QFETCH(QString, sent);
        seedOpen(u"A01"_s, u"2"_s);
        RoomView *view = board(u"A01"_s);
        view->tapButton(button);
        auto *dialog = topPopup<TableFormController>();
        QVERIFY(dialog);
        dialog->fields()->beginEditing(field);
        QCOMPARE(dialog->fields()->lettersActive(), dialog->isTableField(field));
        press(dialog->fields()->activeKeyboard(), keys);
        press(dialog->fields()->activeKeyboard(), {u"ok"_s});
        QCOMPARE(notices, shown);
        QCOMPARE(dialog->fields()->editingIndex(), -1);
        const qsizetype before = server.received(command).size();
        dialog->confirm();
        QTRY_VERIFY(idle());
        const QStringList received = server.received(command);
        QCOMPARE(received.size(), before + 1);
        QCOMPARE(fields(received.constLast(), {sent.section(u'=', 0, 0)}), sent);
    }

    // Hurry and release: each way of choosing, the refusals of an empty choice, and no refresh.
    void hurryAndRelease_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("pick");
        QTest::addColumn<bool>("leaveAndReturn");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("field");
        using D = DishOperations::Operation;
        QTest::newRow("hurry the table")
            << int(D::Hurry) << 0 << false << false << QString() << u"DeskHurry"_s << QString();
        QTest::newRow("hurry a big category")
            << int(D::Hurry) << 1 << true << false << QString() << u"CatHurry"_s << u"big"_s;
        QTest::newRow("hurry a small category")
            << int(D::Hurry) << 2 << true << false << QString() << u"CatHurry"_s << u"small"_s;
        QTest::newRow("hurry a dish")
            << int(D::Hurry) << 3 << true << false << QString() << u"FoodHurry"_s << u"dish"_s;
        QTest::newRow("picked, then another entry and back")
            << int(D::Hurry) << 1 << true << true << QString() << u"CatHurry"_s << u"big"_s;
        QTest::newRow("release the table")
            << int(D::Release) << 0 << false << false << QString() << u"DeskWakeUp"_s << QString();
        QTest::newRow("release a small category")
            << int(D::Release) << 2 << true << false << QString() << u"CatWakeUp"_s << u"small"_s;
        QTest::newRow("release a dish")
            << int(D::Release) << 3 << true << false << QString() << u"FoodWakeUp"_s << u"dish"_s;
        QTest::newRow("no big category")
            << int(D::Hurry) << 1 << false << false << u"请选择商品大类"_s << u"CatHurry"_s << QString();
        QTest::newRow("no small category")
            << int(D::Release) << 2 << false << false << u"请选择商品小类"_s << u"CatWakeUp"_s << QString();
        QTest::newRow("no dish") << int(D::Hurry) << 3 << false << false << u"请选择商品"_s << u"FoodHurry"_s
                                 << QString();
    }
    void hurryAndRelease()
    {
        QFETCH(int, operation);
        QFETCH(int, entry);
        QFETCH(bool, pick);
        QFETCH(bool, leaveAndReturn);
        QFETCH(QString, refusal);
        QFETCH(QString, command);
        QFETCH(QString, field);
        const FoodInfo dish = plainDish();
        QCOMPARE(server.order(u"A01"_s, {orderLine(dish, u"1"_s)}, u"2"_s, u"001"_s), u"0"_s);
        RoomView *view = board(u"A01"_s);
        view->tapButton(operation == DishOperations::Hurry ? RoomView::CuiCai : RoomView::QiCai);
        auto *dialog = topPopup<StyleTableViewController>();
        QVERIFY(dialog);
        QCOMPARE(dialog->title(), operation == DishOperations::Hurry ? u"选择催菜方式"_s : u"选择起菜方式"_s);
        QCOMPARE(dialog->selectedEntry(), 0);
        dialog->selectEntry(entry);
        QTRY_VERIFY(idle());
        QString expected;
        if (pick) {
            QVERIFY(dialog->candidates()->count() > 0);
            expected = dialog->candidates()->shown().constFirst().value;
            dialog->pickCandidate(0);
        }
        if (leaveAndReturn) {
            dialog->selectEntry(0);
            QCOMPARE(dialog->candidates()->count(), 0);
            dialog->selectEntry(entry);
        }
        if (field == u"dish")
            QCOMPARE(expected, dish.foodno);
        const qsizetype refreshes = server.received(u"GetRoomDeskState"_s).size();
        dialog->confirm();
        QTRY_VERIFY(idle());
        QTest::qWait(50);
        if (!refusal.isEmpty()) {
            QCOMPARE(notices, QStringList{u"error|"_s + refusal});
            QVERIFY(!dialog->isDismissing());
            QCOMPARE(server.received(command).size(), 0);
            return;
        }
        const QStringList received = server.received(command);
        QCOMPARE(received.size(), 1);
        QCOMPARE(TableServer::field(received.constFirst(), u"DeskNo"_s), u"A01"_s);
        if (!field.isEmpty())
            QCOMPARE(TableServer::field(received.constFirst(), field == u"dish" ? u"FoodNo"_s : u"CatNo"_s),
                     expected);
        QCOMPARE(server.received(u"GetRoomDeskState"_s).size(), refreshes);
    }

    // Return and weigh: the sale list asked once per opening and per choice of "菜品", the checks in
    // their order, and the command with every field.
    void returnAndWeigh_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("pickDish");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("pickReason");
        QTest::addColumn<QString>("refusal");
        using D = DishOperations::Operation;
        QTest::newRow("return") << int(D::Return) << true << u"1"_s << true << QString();
        QTest::newRow("return letters") << int(D::Return) << true << u"abc"_s << true << u"数量必须为数字"_s;
        QTest::newRow("return zero") << int(D::Return) << true << u"0"_s << true << u"数量必须为数字"_s;
        QTest::newRow("return a number and unit")
            << int(D::Return) << true << u"1.5kg"_s << true << u"数量必须为数字"_s;
        QTest::newRow("return nothing") << int(D::Return) << true << QString() << true << u"数量不能为空"_s;
        QTest::newRow("return no dish") << int(D::Return) << false << u"abc"_s << true << u"请选择商品"_s;
        QTest::newRow("return no reason") << int(D::Return) << true << u"1"_s << false << u"请选择退菜原因"_s;
        QTest::newRow("weigh") << int(D::Weigh) << true << u"1.5"_s << false << QString();
        QTest::newRow("weigh zero") << int(D::Weigh) << true << u"0"_s << false << u"数量必须为数字"_s;
        QTest::newRow("weigh nothing") << int(D::Weigh) << true << QString() << false << u"数量必须为数字"_s;
        QTest::newRow("weigh letters") << int(D::Weigh) << true << u"2斤"_s << false << u"数量必须为数字"_s;
    }
    void returnAndWeigh()
    {
        QFETCH(int, operation);
        QFETCH(bool, pickDish);
        QFETCH(QString, amount);
        QFETCH(bool, pickReason);
        QFETCH(QString, refusal);
        const bool weighing = operation == DishOperations::Weigh;
        const FoodInfo plain = plainDish();
        const FoodInfo weighed = weighedDish();
        QVERIFY(!weighed.foodno.isEmpty());
        QCOMPARE(
            server.order(u"A01"_s, {orderLine(plain, u"2"_s), orderLine(weighed, u"1"_s)}, u"2"_s, u"001"_s),
            u"0"_s);
        RoomView *view = board(u"A01"_s);
        view->tapButton(weighing ? RoomView::ChengZhong : RoomView::TuiCai);
        auto *dialog = topPopup<StyleTableViewController>();
        QVERIFY(dialog);
        QTRY_VERIFY(idle());
        QTest::qWait(100);
        QCOMPARE(server.received(u"GetDeskSaleList"_s).size(), 1);
        QCOMPARE(dialog->selectedEntry(), 1);
        QCOMPARE(dialog->columnTitles(), (QStringList{u"商品编号"_s, u"商品名称"_s, u"售价"_s, u"数量"_s}));
        // Weighing lists only the line waiting for its weight.
        QCOMPARE(dialog->candidates()->count(), weighing ? 1 : 2);
        int row = -1;
        for (int i = 0; i < dialog->candidates()->count(); ++i) {
            if (dialog->candidates()->shown().at(i).value == (weighing ? weighed.foodno : plain.foodno))
                row = i;
        }
        QVERIFY(row >= 0);
        if (!weighing)
            QCOMPARE(dialog->candidates()->shown().at(row).cells,
                     (QStringList{plain.foodno, plain.foodName,
                                  u"￥"_s + CommonUtils::format2(plain.salePrice1), u"2.00"_s}));
        if (pickDish)
            dialog->pickCandidate(row);
        dialog->typeText(StyleTableViewController::AmountField, amount);
        if (pickReason) {
            dialog->selectEntry(3);
            QCOMPARE(dialog->columnTitles(), (QStringList{u"编号"_s, u"原因名称"_s}));
            dialog->pickCandidate(0);
        }
        dialog->confirm();
        QTRY_VERIFY(idle());
        QTest::qWait(50);
        const QString command = weighing ? u"ConfirmQty"_s : u"ReturnFood"_s;
        if (!refusal.isEmpty()) {
            QCOMPARE(notices, QStringList{u"error|"_s + refusal});
            QVERIFY(!dialog->isDismissing());
            QCOMPARE(server.received(command).size(), 0);
            return;
        }
        QCOMPARE(server.received(u"GetDeskSaleList"_s).size(), 1);
        const QStringList received = server.received(command);
        QCOMPARE(received.size(), 1);
        const QString xml = received.constFirst();
        if (weighing) {
            const QString itemseq =
                server.saleLines(u"A01"_s).filter(weighed.foodno + u'|').value(0).section(u'|', 1, 1);
            QCOMPARE(fields(xml, {u"DeskNo"_s, u"FoodNo"_s, u"itemseq"_s, u"FoodQty"_s}),
                     u"DeskNo=A01;FoodNo="_s + weighed.foodno + u";itemseq="_s + itemseq + u";FoodQty=1.5"_s);
            // Weighed, the line no longer waits.
            QVERIFY(!server.saleLines(u"A01"_s).filter(weighed.foodno + u'|').value(0).endsWith(u"|2"_s));
        } else {
            QCOMPARE(fields(xml, {u"DeskNo"_s, u"FoodNo"_s, u"FoodQty"_s, u"ReturnReason"_s}),
                     u"DeskNo=A01;FoodNo="_s + plain.foodno + u";FoodQty=1;ReturnReason=01"_s);
        }
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices.constFirst().startsWith(u"success|"_s));
    }

    // One sale-list request per choice of "菜品"; a reply for an entry left, or for a closed
    // dialog, is dropped. The search looks into number, name and mnemonic, in any letter case.
    void saleListAndSearch()
    {
        const FoodInfo dish = plainDish();
        QCOMPARE(server.order(u"A01"_s, {orderLine(dish, u"1"_s)}, u"2"_s, u"001"_s), u"0"_s);
        RoomView *view = board(u"A01"_s);
        view->tapButton(RoomView::CuiCai);
        auto *dialog = topPopup<StyleTableViewController>();
        QAbstractItemModelTester entriesTester(dialog->entries());
        QAbstractItemModelTester candidatesTester(dialog->candidates());
        dialog->selectEntry(3);
        QTRY_VERIFY(idle());
        QTRY_COMPARE(dialog->candidates()->count(), 1);
        dialog->typeText(StyleTableViewController::SearchField, dish.spellName.toLower());
        QCOMPARE(dialog->candidates()->count(), 1);
        dialog->typeText(StyleTableViewController::SearchField, u"#"_s);
        QCOMPARE(dialog->candidates()->count(), 0);
        QCOMPARE(server.received(u"GetDeskSaleList"_s).size(), 1);

        injectFault(u"GetDeskSaleList"_s, u"delay&ms=300"_s);
        dialog->selectEntry(3);
        dialog->selectEntry(1);
        const qsizetype categories = dialog->candidates()->count();
        QVERIFY(categories > 0);
        QTRY_VERIFY(idle());
        QTest::qWait(50);
        QCOMPARE(dialog->candidates()->count(), categories);
        QCOMPARE(dialog->columnTitles(), (QStringList{u"大类编号"_s, u"大类名称"_s}));
        dialog->selectEntry(3);
        dialog->cancel();
        QTRY_VERIFY(idle());
        QCOMPARE(server.received(u"GetDeskSaleList"_s).size(), 3);
    }

    // With two boards alive, a dialog answers the board that opened it: one tap, one command.
    void oneResultPerBoard()
    {
        RoomView *first = board(u"A01"_s);
        board(u"A01"_s);
        first->tapButton(RoomView::KaiTai);
        auto *form = topPopup<TableFormController>();
        form->typeText(1, u"4"_s);
        form->confirm();
        QTRY_VERIFY(idle());
        QCOMPARE(server.received(u"KaiTai"_s).size(), 1);
        boards.back()->tables()->tap(0);
        boards.back()->tapButton(RoomView::CuiCai);
        topPopup<StyleTableViewController>()->confirm();
        QTRY_VERIFY(idle());
        QTest::qWait(50);
        QCOMPARE(server.received(u"DeskHurry"_s).size(), 1);
    }

    // The bill prints itself: exactly one "PrintDeskBill" per tap, however many boards are alive,
    // opened by name (as the order list does) or from a board.
    void onePrintPerTap_data()
    {
        QTest::addColumn<int>("boardCount");
        QTest::addColumn<bool>("fromBoard");
        QTest::newRow("by name, no board") << 0 << false;
        QTest::newRow("by name, two boards") << 2 << false;
        QTest::newRow("from a board") << 1 << true;
        QTest::newRow("from one of two boards") << 2 << true;
    }
    void onePrintPerTap()
    {
        QFETCH(int, boardCount);
        QFETCH(bool, fromBoard);
        const FoodInfo dish = plainDish();
        QCOMPARE(server.order(u"A01"_s, {orderLine(dish, u"2"_s)}, u"2"_s, u"001"_s), u"0"_s);
        for (int i = 0; i < boardCount; ++i)
            board(u"A01"_s);
        if (fromBoard)
            boards.front()->tapButton(RoomView::ChaZhangDan);
        else
            QVERIFY(pops().pop(PopName::CheckoutOrderViewController, {QVariant(u"A01"_s)}));
        QTRY_VERIFY(topPopup<CheckoutOrderViewController>());
        QPointer<CheckoutOrderViewController> bill = topPopup<CheckoutOrderViewController>();
        QTRY_VERIFY(idle());
        QTRY_COMPARE(bill->lines()->rowCount(), 1);
        QCOMPARE(bill->lines()->lines().constFirst().amount, CommonUtils::format2(2 * dish.salePrice1));
        const qsizetype printed = server.printedFiles().size();
        bill->print();
        bill->print();
        QTRY_VERIFY(!bill || bill->isDismissing());
        QTRY_VERIFY(idle());
        QCOMPARE(server.received(u"PrintDeskBill"_s).size(), 1);
        QCOMPARE(server.printedFiles().size(), printed + 1);
    }

    void openingABillByNameNeedsATable()
    {
        QVERIFY(pops().pop(PopName::CheckoutOrderViewController, {QVariant(QString())}));
        QTest::qWait(50);
        QVERIFY(pops().arrControllers().isEmpty());
    }

    void billTexts_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");
        QTest::newRow("two lines") << QStringList{u"2|18.5"_s, u"1|30"_s}
                                   << QStringList{u"37.00"_s, u"30.00"_s} << u"总计：67.00"_s;
        QTest::newRow("empty") << QStringList() << QStringList() << u"总计：0.00"_s;
        QTest::newRow("not a number")
            << QStringList{u"两|18.5"_s, u"1|30"_s} << QStringList{u"0.00"_s, u"30.00"_s} << u"总计：30.00"_s;
    }
    void billTexts()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, amounts);
        QFETCH(QString, total);
        QList<Row2> rows;
        for (const QString &line : lines) {
            Row2 row;
            row.pluno = u"101"_s;
            row.saleQty = line.section(u'|', 0, 0);
            row.SalePrice = line.section(u'|', 1, 1);
            rows.append(row);
        }
        CheckoutOrderViewController bill(u"A01"_s, rows);
        QAbstractItemModelTester tester(bill.lines());
        QStringList shown;
        for (const DishOperations::BillLine &line : bill.lines()->lines())
            shown.append(line.amount);
        QCOMPARE(shown, amounts);
        QCOMPARE(bill.totalText(), total);
        QCOMPARE(bill.lines()->index(0).data(BillModel::SaleQtyRole).toString(),
                 lines.value(0).section(u'|', 0, 0));
    }

    // What a broken exchange shows, and whether the states are asked for again.
    void faults_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("refreshes");
        QTest::newRow("unreadable table command") << u"KaiTai"_s << u"notxml"_s << u"error|解析错误"_s << 1;
        QTest::newRow("table command without a message")
            << u"KaiTai"_s << u"status"_s << u"error|Error Domain=Qelvo Code=500"_s << 0;
        QTest::newRow("unreadable dish command") << u"DeskHurry"_s << u"notxml"_s << u"error|解析错误"_s << 1;
        QTest::newRow("unreadable states") << u"GetRoomDeskState"_s << u"notxml"_s << QString() << 1;
    }
    void faults()
    {
        QFETCH(QString, command);
        QFETCH(QString, fault);
        QFETCH(QString, shown);
        QFETCH(int, refreshes);
        RoomView *view = board(u"A01"_s);
        injectFault(command, fault);
        const qsizetype before = server.received(u"GetRoomDeskState"_s).size();
        if (command == u"KaiTai") {
            view->tapButton(RoomView::KaiTai);
            topPopup<TableFormController>()->typeText(1, u"4"_s);
            topPopup<TableFormController>()->confirm();
        } else if (command == u"DeskHurry") {
            view->tapButton(RoomView::CuiCai);
            topPopup<StyleTableViewController>()->confirm();
        } else {
            view->tapButton(RoomView::Refresh);
        }
        QTRY_VERIFY(idle());
        QTest::qWait(50);
        QCOMPARE(notices.join(u'\n'), shown);
        QCOMPARE(server.received(u"GetRoomDeskState"_s).size(), before + refreshes);
    }

    // The staff screen's board in the real window: open A01 for 4 guests on the keypad, move it to
    // A02 typed on the letter keypad, look at the bill and print it: the server writes one bill.
    void windowFlow()
    {
        const FoodInfo dish = plainDish();
        QCOMPARE(server.order(u"V01"_s, {orderLine(dish, u"2"_s), orderLine(weighedDish(), u"1.5"_s)}, u"3"_s,
                              u"001"_s),
                 u"0"_s);
        qputenv(MakerServiceAddress::kEnvironmentVariable, "http://127.0.0.1:1");
        StartupSequence::setApplicationNames();
        StartupSequence::prepareServices({u"tst_table_board"_s, u"--home"_s, AppPaths::home()});
        ConfigManager::defaultManager().setPort(QString::number(server.port()));
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        engine = StartupSequence::showMainWindow();
        QVERIFY(engine);
        window = qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY(item(u"screenStack"_s));

        UiTest::tap(item(u"staffEntrance"_s));
        QTRY_VERIFY(item(u"staffScreen"_s));
        QTRY_VERIFY(!item(u"screenStack"_s)->property("busy").toBool());
        UiTest::tap(item(u"staffEntry_0"_s));
        QTRY_VERIFY(item(u"roomBoard"_s) && item(u"roomBoard"_s)->isVisible());
        QTRY_VERIFY(idle());
        QTRY_VERIFY(labelOf(u"table_V01"_s).startsWith(u"3人 ￥"_s));
        QCOMPARE(labelOf(u"table_A01"_s), u"A01"_s);
        UiTest::tap(item(u"table_A01"_s));
        saveScreenshot(u"table-board"_s);

        UiTest::tap(item(u"boardButton_1"_s));
        QQuickItem *form = settledPopup();
        QVERIFY(form);
        UiTest::tap(UiTest::findItem(form, u"formField_1"_s));
        tapKeys(UiTest::findItem(form, u"numberKeypad"_s), {u"4"_s});
        QTRY_COMPARE(
            UiTest::findItem(UiTest::findItem(form, u"formField_1"_s), u"fieldText"_s)->property("text"),
            QVariant(u"4"_s));
        QTest::qWait(300);
        saveScreenshot(u"table-open"_s);
        UiTest::tap(UiTest::findItem(form, u"confirmButton"_s));
        QTRY_VERIFY(frames().isEmpty());
        QTRY_VERIFY(idle());
        QVERIFY2(notices.value(0).startsWith(u"success|"_s) && notices.value(0).endsWith(u"开台成功"_s),
                 qPrintable(notices.join(u'\n')));
        QTRY_COMPARE(labelOf(u"table_A01"_s), u"4人 ￥0.00"_s);
        QTRY_VERIFY(idle());

        UiTest::tap(item(u"table_A01"_s));
        UiTest::tap(item(u"boardButton_2"_s));
        form = settledPopup();
        QVERIFY(form);
        UiTest::tap(UiTest::findItem(form, u"formField_1"_s));
        tapKeys(UiTest::findItem(form, u"letterKeypad"_s), {u"A"_s, u"0"_s, u"2"_s});
        UiTest::tap(UiTest::findItem(form, u"confirmButton"_s));
        QTRY_VERIFY(frames().isEmpty());
        QTRY_COMPARE(labelOf(u"table_A02"_s), u"4人 ￥0.00"_s);
        QTRY_COMPARE(labelOf(u"table_A01"_s), u"A01"_s);
        QTRY_VERIFY(idle());

        UiTest::tap(item(u"table_V01"_s));
        UiTest::tap(item(u"boardButton_8"_s));
        QQuickItem *dishes = settledPopup();
        QVERIFY(dishes);
        QTRY_VERIFY(idle());
        QTRY_VERIFY(UiTest::findItem(dishes, u"candidate_1"_s));
        UiTest::tap(UiTest::findItem(dishes, u"candidate_0"_s));
        NoticeBoard::instance().hideToast();
        QTest::qWait(300);
        saveScreenshot(u"dish-operation"_s);
        UiTest::tap(UiTest::findItem(dishes, u"cancelButton"_s));
        QTRY_VERIFY(frames().isEmpty());

        UiTest::tap(item(u"table_V01"_s));
        UiTest::tap(item(u"boardButton_10"_s));
        QQuickItem *bill = settledPopup();
        QVERIFY(bill);
        QTRY_VERIFY(UiTest::findItem(bill, u"billLine_1"_s));
        NoticeBoard::instance().hideToast();
        QTest::qWait(300);
        saveScreenshot(u"bill"_s);
        UiTest::tap(UiTest::findItem(bill, u"closeButton"_s));
        QTRY_VERIFY(frames().isEmpty());

        UiTest::tap(item(u"table_A02"_s));
        UiTest::tap(item(u"boardButton_10"_s));
        bill = settledPopup();
        QVERIFY(bill);
        QCOMPARE(UiTest::findItem(bill, u"billTotal"_s)->property("text").toString(), u"总计：0.00"_s);
        UiTest::tap(UiTest::findItem(bill, u"printButton"_s));
        QTRY_VERIFY(frames().isEmpty());
        QCOMPARE(server.received(u"PrintDeskBill"_s).size(), 1);
        const QStringList printed = server.printedFiles().filter(u"bill-A02-"_s);
        QCOMPARE(printed.size(), 1);

        // The table-operation screen, as the order list opens it: its own board, no login button.
        Navigator::instance().push(u"TableOpScreen"_s);
        QTRY_VERIFY(item(u"tableOpScreen"_s));
        QTRY_VERIFY(!item(u"screenStack"_s)->property("busy").toBool());
        QQuickItem *opScreen = item(u"tableOpScreen"_s);
        QVERIFY(!UiTest::findItem(opScreen, u"btnLogin"_s)->isVisible());
        QTRY_VERIFY(idle());
        QQuickItem *moved = UiTest::findItem(opScreen, u"table_A02"_s);
        QVERIFY(moved);
        QCOMPARE(UiTest::findItem(moved, u"tableNumber"_s)->property("text").toString(), u"4人 ￥0.00"_s);
        UiTest::tap(UiTest::findItem(opScreen, u"backButton"_s));
        QTRY_VERIFY(!item(u"tableOpScreen"_s));
        QCOMPARE(Navigator::instance().depth(), 2);

        UiTest::tap(item(u"staffEntry_6"_s));
        QTRY_VERIFY(!item(u"staffScreen"_s));
        QTRY_VERIFY(idle());
        NoticeBoard::instance().clear();
    }

    void cleanupTestCase() { engine.reset(); }
};

DIANCAI_UI_TEST_MAIN(TestTableBoard)
#include "tst_table_board.moc"
