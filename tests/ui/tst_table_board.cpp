// The table board, its dialogs and the bill against the development server; last, the real window.
#include "AppWindow.h"
#include "TableServer.h"

#include "dining/DiningRoom.h"
#include "dining/DishOperations.h"
#include "dining/TableBoard.h"
#include "foundation/CommonUtils.h"
#include "server/Gb18030.h"
#include "server/ResponseParser.h"
#include "services/Services.h"
#include "settings/LoginState.h"
#include "toolkit/KeyboardBase.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"
#include "ui/components/EditingFocus.h"
#include "ui/shell/Navigator.h"
#include "ui/shell/PopupFactories.h"
#include "ui/tables/CheckoutOrderViewController.h"
#include "ui/tables/RoomView.h"
#include "ui/tables/StyleTableViewController.h"
#include "ui/tables/TableFormController.h"

#include <QAbstractItemModelTester>
#include <QMetaEnum>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {
// A table dialog: what it shows, what is typed, and the command's fields ("Name=value;...").
struct DialogCase {
    int button;
    QStringList seeded; // tables opened first, "table=guests"
    QString stateFault, title;
    QStringList labels, prefilled, typed;
    QString command, sent;
};

struct OkKeyCase {
    int button, field;
    QStringList keys, shown;
    QString command, sent;
};

// A dish operation: the entry chosen, whether a candidate is picked, the refusal or the command.
struct HurryCase {
    DishOperations::Operation operation;
    int entry;
    bool pick, leaveAndReturn;
    QString refusal, command, field; // field: the key sent besides the table
    bool byName = false;             // asked of the pop-up manager, no board to hand the choice to
};

// A reply whose row list holds rows with these attributes ("name=\"value\"/><Row name=...").
QByteArray replyRow(const QString &attributes)
{
    return Gb18030::encode(
        u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ServerReply><ReturnCode>0</ReturnCode>"
        "<ReturnList><Rows><Row "_s +
        attributes + u"/></Rows></ReturnList></ServerReply>"_s);
}
} // namespace
Q_DECLARE_METATYPE(DialogCase)
Q_DECLARE_METATYPE(HurryCase)
Q_DECLARE_METATYPE(OkKeyCase)

class TestTableBoard : public QObject, private AppWindow {
    Q_OBJECT
private:
    TableServer server{true};
    QStringList notices;
    std::vector<std::unique_ptr<RoomView>> boards;

    static PopViewManager &pops() { return PopViewManager::defaultManager(); }
    static bool idle() { return !NoticeBoard::instance().progressVisible(); }
    // An ordinary dish with a price, sold by the portion, and one sold by weight.
    static FoodInfo plainDish() { return *UiTest::demoDish(u"拍黄瓜"_s).info; }
    static FoodInfo weighedDish() { return *UiTest::demoDish(u"白灼基围虾"_s).info; }

    template <class T> static T *topPopup()
    {
        const QList<PopRootViewController *> open = pops().arrControllers();
        return open.isEmpty() ? nullptr : qobject_cast<T *>(open.constLast());
    }

    static QString orderLine(const FoodInfo &dish, const QString &qty)
    {
        return QStringList{dish.foodno, dish.foodName, qty, CommonUtils::format2(dish.salePrice1)}.join(u'|');
    }

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

    void seedOrder(const QStringList &lines, const QString &table = u"A01"_s, const QString &guests = u"2"_s)
    {
        QCOMPARE(server.order(table, lines, guests, u"001"_s), u"0"_s);
    }

    void injectFault(const QString &command, const QString &kind)
    {
        QCOMPARE(server.controlPost(u"/__control/faults?command="_s + command + u"&kind="_s + kind), 200);
    }

    qsizetype sentCount(const QString &command) { return server.received(command).size(); }

    // The fields `names` of the last `command` the server received, if it received `count` of them.
    QString sentFields(const QString &command, const QStringList &names, qsizetype count = 1)
    {
        const QStringList got = server.received(command);
        return got.size() == count ? TableServer::fields(got.constLast(), names)
                                   : u"%1 received"_s.arg(got.size());
    }

    // Waits for the exchange to end, and a little more for anything that should not come.
    void settle()
    {
        QTRY_VERIFY(idle());
        QTest::qWait(50);
    }

    // A refused dish operation: the message, the dialog still up, nothing sent.
    void checkRefused(StyleTableViewController *dialog, const QString &refusal, const QString &command)
    {
        QCOMPARE(notices, QStringList{u"error|"_s + refusal});
        QVERIFY(!dialog->isDismissing());
        QCOMPARE(sentCount(command), 0);
    }

    QString labelOf(const QString &tile)
    {
        QQuickItem *label = UiTest::findItem(item(tile), u"tableNumber"_s);
        return label ? label->property("text").toString() : QString();
    }

    // Taps board button `button` (after tile `tile`, if any); the dialog once it has slid in.
    QQuickItem *openDialog(const QString &tile, int button)
    {
        if (!tile.isEmpty())
            UiTest::tap(item(tile));
        UiTest::tap(item(u"boardButton_"_s + QString::number(button)));
        return settledPopup();
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
        QVERIFY(UiTest::closePopups());
        QTRY_VERIFY(idle());
        boards.clear();
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        EditingFocus::instance().clear();
        NoticeBoard::instance().clear();
        UI_VERIFY_NO_WARNINGS();
    }

    // The state row as "useIndex|guests|amount" ("-": absent; empty: no row); the tile as
    // "number|second|in use".
    void tileTexts_data()
    {
        columns<QString, QString>("state", "shown");
        QTest::newRow("in use") << u"1|4|128.5"_s << u"4人 ￥128.50|A01|true"_s;
        QTest::newRow("missing from the reply") << QString() << u"A01||false"_s;
        QTest::newRow("no guests, no amount") << u"1|-|-"_s << u"人 ￥0.00|A01|true"_s;
        QTest::newRow("amount not a number") << u"1|2|12元"_s << u"2人 ￥0.00|A01|true"_s;
        QTest::newRow("NaN") << u"1|NaN|NaN"_s << u"0人 ￥0.00|A01|true"_s;
        QTest::newRow("infinite") << u"1|inf|-inf"_s << u"0人 ￥0.00|A01|true"_s;
        QTest::newRow("beyond a float") << u"1|1e308|1e39"_s << u"0人 ￥0.00|A01|true"_s;
    }
    // The state as read from a reply row: "useIndex|custNumber|TotalAmt", "-" for no attribute.
    void tileTexts()
    {
        const auto [state, shown] = row<QString, QString>("state", "shown");
        const QStringList field = state.split(u'|');
        QString attributes = u"deskNo=\"A01\" useIndex=\""_s + field.value(0) + u'"';
        for (const int i : {1, 2}) {
            if (field.value(i) != u"-")
                attributes += (i == 1 ? u" custNumber=\""_s : u" TotalAmt=\""_s) + field.value(i) + u'"';
        }
        const auto rows = ResponseParser::sharedParser().parseGetRoomDeskState(replyRow(attributes));
        QVERIFY(rows && rows->size() == 1);
        const TableTile tile =
            TableTile::make({u"A01"_s, u"大厅1号"_s, u"01"_s},
                            state.isEmpty() ? std::nullopt : std::optional<Row>(rows->at(0)));
        QCOMPARE((QStringList{tile.number, tile.second, QVariant(tile.inUse).toString(), tile.name}),
                 shown.split(u'|') << u"大厅1号"_s);
    }

    // The first state row of a table counts; rows of tables the catalogue lacks are ignored.
    void statesByTable()
    {
        const QList<DeskInfo> tables{{u"A01"_s, u"一"_s, u"01"_s}, {u"A02"_s, u"二"_s, u"01"_s}};
        const QList<Row> rows{{u"A01"_s, {}, u"1"_s, u"4"_s, u"10"_s},
                              {u"A01"_s, {}, u"1"_s, u"9"_s, u"90"_s},
                              {u"Z09"_s, {}, u"1"_s, u"2"_s, u"5"_s}};
        const QHash<QString, Row> states = TableBoard::statesByTable(tables, rows);
        QCOMPARE(states.keys() << states.value(u"A01"_s).custNumber.value_or(u"-"_s),
                 (QStringList{u"A01"_s, u"4"_s}));
    }

    // "所有" lists every table, a room its own; a change of room or a refresh drops the selection.
    void roomsAndSelection()
    {
        RoomView *view = board(u"A01"_s);
        QAbstractItemModelTester tester(view->tables());
        const qsizetype all = view->shownTables().size();
        QCOMPARE(view->rooms()->titles().value(0) + u'|' + view->selectedTableNo(), u"所有|A01"_s);
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
        const qsizetype sent = sentCount(QString());
        view->tapButton(button);
        QCOMPARE(notices, QStringList{u"error|请选择桌台"_s});
        QVERIFY(pops().arrControllers().isEmpty());
        QTest::qWait(50);
        QCOMPARE(sentCount(QString()), sent);
    }

    // Each dialog's texts, the fields typed, the command the server got, and the states asked again.
    void tableDialogs_data()
    {
        QTest::addColumn<DialogCase>("c");
        const QStringList three{u"台号"_s, u"人数"_s, u"服务员"_s};
        const QStringList two{u"原台"_s, u"目标台"_s};
        // clang-format off
        QTest::newRow("merge") << DialogCase{RoomView::BingTai, {u"A01=3"_s, u"V01=2"_s}, {}, u"并台操作"_s, two,
            {u"A01"_s, QString()}, {{}, u"V01"_s}, u"MergeDesk"_s, u"SourceDeskNo=A01;DestDeskNo=V01"_s};
        QTest::newRow("edit") << DialogCase{RoomView::GaiTai, {u"A01=3"_s}, {}, u"改台操作"_s, three,
            {u"A01"_s, u"3"_s, u"001"_s}, {{}, u"5"_s, {}}, u"EditDesk"_s, u"DeskNo=A01;CustCount=5;WaiterMan=001"_s};
        QTest::newRow("edit without a state") << DialogCase{RoomView::GaiTai, {u"A01=3"_s}, u"notxml"_s, u"改台操作"_s,
            three, {u"A01"_s, QString(), u"001"_s}, {{}, {}, u"002"_s}, u"EditDesk"_s,
            u"DeskNo=A01;CustCount=;WaiterMan=002"_s};
        QTest::newRow("cancel") << DialogCase{RoomView::CheTai, {u"A01=3"_s}, {}, u"撤台操作"_s, {u"台号"_s},
            {u"A01"_s}, {{}}, u"CancelDesk"_s, u"DeskNo=A01"_s};
        // clang-format on
    }
    void tableDialogs()
    {
        QFETCH(DialogCase, c);
        for (const QString &seed : c.seeded)
            seedOpen(seed.section(u'=', 0, 0), seed.section(u'=', 1));
        if (!c.stateFault.isEmpty())
            injectFault(u"GetRoomDeskState"_s, c.stateFault);
        RoomView *view = board(u"A01"_s);
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        view->tapButton(c.button);
        auto *dialog = topPopup<TableFormController>();
        QVERIFY(dialog);
        QCOMPARE(dialog->title() + u'|' + dialog->labels().join(u',') + u'|' +
                     dialog->fields()->texts().join(u','),
                 c.title + u'|' + c.labels.join(u',') + u'|' + c.prefilled.join(u','));
        for (int i = 0; i < c.typed.size(); ++i) {
            if (!c.typed.at(i).isEmpty())
                dialog->typeText(i, c.typed.at(i));
        }
        const qsizetype refreshes = sentCount(u"GetRoomDeskState"_s);
        dialog->confirm();
        QVERIFY(dialog->isDismissing());
        QTRY_VERIFY(idle());
        QStringList names = c.sent.split(u';').replaceInStrings(QRegularExpression(u"=.*"_s), QString());
        QCOMPARE(sentFields(c.command, names << u"CashierID"_s), c.sent + u";CashierID=001"_s);
        QCOMPARE(sentCount(u"GetRoomDeskState"_s), refreshes + 1);
    }

    // The keypad's OK key looks the table numbers up; "确定" hands over whatever was typed.
    void okKeyChecksTableNumbers_data()
    {
        QTest::addColumn<OkKeyCase>("c");
        const QString unknown = u"error|不存在的桌台编号"_s;
        // clang-format off
        QTest::newRow("change to an unknown table") << OkKeyCase{RoomView::HuanTai, 1, {u"Z"_s, u"9"_s}, {unknown},
            u"ChangeDesk"_s, u"DestDeskNo=Z9"_s};
        QTest::newRow("cancel an unknown table") << OkKeyCase{RoomView::CheTai, 0, {u"Q"_s, u"1"_s}, {unknown},
            u"CancelDesk"_s, u"DeskNo=Q1"_s};
        // clang-format on
    }
    void okKeyChecksTableNumbers()
    {
        QFETCH(OkKeyCase, c);
        seedOpen(u"A01"_s, u"2"_s);
        board(u"A01"_s)->tapButton(c.button);
        auto *dialog = topPopup<TableFormController>();
        QVERIFY(dialog);
        dialog->fields()->beginEditing(c.field);
        QCOMPARE(dialog->fields()->lettersActive(), dialog->isTableField(c.field));
        for (const QString &key : c.keys << u"ok"_s)
            dialog->fields()->activeKeyboard()->click(key);
        QCoreApplication::processEvents();
        QCOMPARE(notices, c.shown);
        QCOMPARE(dialog->fields()->editingIndex(), -1);
        const qsizetype before = sentCount(c.command);
        dialog->confirm();
        QTRY_VERIFY(idle());
        QCOMPARE(sentFields(c.command, {c.sent.section(u'=', 0, 0)}, before + 1), c.sent);
    }

    // Hurry and release: each way of choosing, the refusals of an empty choice, and no refresh.
    void hurryAndRelease_data()
    {
        QTest::addColumn<HurryCase>("c");
        const auto hurry = DishOperations::Hurry;
        const auto release = DishOperations::Release;
        // clang-format off
        QTest::newRow("hurry the table") << HurryCase{hurry, 0, false, false, {}, u"DeskHurry"_s, {}};
        QTest::newRow("hurry by name") << HurryCase{hurry, 0, false, false, {}, u"DeskHurry"_s, {}, true};
        QTest::newRow("hurry a big category") << HurryCase{hurry, 1, true, false, {}, u"CatHurry"_s, u"CatNo"_s};
        QTest::newRow("hurry a dish") << HurryCase{hurry, 3, true, false, {}, u"FoodHurry"_s, u"FoodNo"_s};
        QTest::newRow("picked, then another entry and back")
            << HurryCase{hurry, 1, true, true, {}, u"CatHurry"_s, u"CatNo"_s};
        QTest::newRow("release a small category")
            << HurryCase{release, 2, true, false, {}, u"CatWakeUp"_s, u"CatNo"_s};
        QTest::newRow("no big category") << HurryCase{hurry, 1, false, false, u"请选择商品大类"_s, u"CatHurry"_s, {}};
        QTest::newRow("no small category")
            << HurryCase{release, 2, false, false, u"请选择商品小类"_s, u"CatWakeUp"_s, {}};
        QTest::newRow("no dish") << HurryCase{hurry, 3, false, false, u"请选择商品"_s, u"FoodHurry"_s, {}};
        // clang-format on
    }
    void hurryAndRelease()
    {
        QFETCH(HurryCase, c);
        const FoodInfo dish = plainDish();
        seedOrder({orderLine(dish, u"1"_s)});
        const bool hurrying = c.operation == DishOperations::Hurry;
        if (c.byName)
            QVERIFY(pops().pop(PopName::StyleTableViewController, {int(c.operation), u"A01"_s}));
        else
            board(u"A01"_s)->tapButton(hurrying ? RoomView::CuiCai : RoomView::QiCai);
        StyleTableViewController *dialog = nullptr;
        QTRY_VERIFY((dialog = topPopup<StyleTableViewController>()));
        QCOMPARE(dialog->title() + QString::number(dialog->selectedEntry()),
                 hurrying ? u"选择催菜方式0"_s : u"选择起菜方式0"_s);
        dialog->selectEntry(c.entry);
        QTRY_VERIFY(idle());
        QString expected;
        if (c.pick) {
            QVERIFY(dialog->candidates()->count() > 0);
            expected = dialog->candidates()->shown().constFirst().value;
            dialog->pickCandidate(0);
        }
        if (c.leaveAndReturn) {
            dialog->selectEntry(0);
            QCOMPARE(dialog->candidates()->count(), 0);
            dialog->selectEntry(c.entry);
        }
        if (c.field == u"FoodNo")
            QCOMPARE(expected, dish.foodno);
        const qsizetype refreshes = sentCount(u"GetRoomDeskState"_s);
        dialog->confirm();
        settle();
        if (!c.refusal.isEmpty())
            return checkRefused(dialog, c.refusal, c.command);
        const QStringList names = QStringList{u"DeskNo"_s, c.field}.mid(0, c.field.isEmpty() ? 1 : 2);
        QCOMPARE(sentFields(c.command, names),
                 c.field.isEmpty() ? u"DeskNo=A01"_s : u"DeskNo=A01;%1=%2"_s.arg(c.field, expected));
        QCOMPARE(sentCount(u"GetRoomDeskState"_s), refreshes);
    }

    // Return and weigh: one sale-list request, the checks in their order, the command's every field.
    void returnAndWeigh_data()
    {
        columns<int, bool, QString, bool, QString>("operation", "pickDish", "amount", "pickReason",
                                                   "refusal");
        const int back = DishOperations::Return;
        const int weigh = DishOperations::Weigh;
        const QString notNumber = u"数量必须为数字"_s;
        // clang-format off
        QTest::newRow("return") << back << true << u"1"_s << true << QString();
        QTest::newRow("return zero") << back << true << u"0"_s << true << notNumber;
        QTest::newRow("return no dish") << back << false << u"abc"_s << true << u"请选择商品"_s;
        QTest::newRow("return no reason") << back << true << u"1"_s << false << u"请选择退菜原因"_s;
        QTest::newRow("weigh") << weigh << true << u"1.5"_s << false << QString();
        QTest::newRow("weigh nothing") << weigh << true << QString() << false << notNumber;
        // clang-format on
    }
    void returnAndWeigh()
    {
        const auto [operation, pickDish, amount, pickReason, refusal] =
            row<int, bool, QString, bool, QString>("operation", "pickDish", "amount", "pickReason",
                                                   "refusal");
        const bool weighing = operation == DishOperations::Weigh;
        const FoodInfo plain = plainDish();
        const FoodInfo weighed = weighedDish();
        QVERIFY(!weighed.foodno.isEmpty());
        seedOrder({orderLine(plain, u"2"_s), orderLine(weighed, u"1"_s)});
        board(u"A01"_s)->tapButton(weighing ? RoomView::ChengZhong : RoomView::TuiCai);
        auto *dialog = topPopup<StyleTableViewController>();
        QVERIFY(dialog);
        QTRY_VERIFY(idle());
        QTest::qWait(100);
        // Sale-list requests, entry, candidates (weighing: only the line waiting for its weight), columns.
        QCOMPARE(u"%1 %2 %3 "_s.arg(sentCount(u"GetDeskSaleList"_s))
                         .arg(dialog->selectedEntry())
                         .arg(dialog->candidates()->count()) +
                     dialog->columnTitles().join(u','),
                 (weighing ? u"1 1 1 "_s : u"1 1 2 "_s) + u"商品编号,商品名称,售价,数量"_s);
        const QList<Candidate> &shown = dialog->candidates()->shown();
        const int row =
            int(std::ranges::find(shown, weighing ? weighed.foodno : plain.foodno, &Candidate::value) -
                shown.begin());
        QVERIFY(row < shown.size());
        if (!weighing)
            QCOMPARE(shown.at(row).cells,
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
        settle();
        const QString command = weighing ? u"ConfirmQty"_s : u"ReturnFood"_s;
        if (!refusal.isEmpty())
            return checkRefused(dialog, refusal, command);
        // A return reads the sale list again just before it goes: what a repeat compares with.
        QCOMPARE(sentCount(u"GetDeskSaleList"_s), weighing ? 1 : 2);
        if (weighing) {
            const QString line = server.saleLines(u"A01"_s).filter(weighed.foodno + u'|').value(0);
            QCOMPARE(sentFields(command, {u"DeskNo"_s, u"FoodNo"_s, u"itemseq"_s, u"FoodQty"_s}),
                     u"DeskNo=A01;FoodNo=%1;itemseq=%2;FoodQty=1.5"_s.arg(weighed.foodno,
                                                                          line.section(u'|', 1, 1)));
            QVERIFY2(!line.endsWith(u"|2"_s), qPrintable(line)); // weighed, the line no longer waits
        } else {
            QCOMPARE(sentFields(command, {u"DeskNo"_s, u"FoodNo"_s, u"FoodQty"_s, u"ReturnReason"_s}),
                     u"DeskNo=A01;FoodNo=%1;FoodQty=1;ReturnReason=01"_s.arg(plain.foodno));
        }
        QVERIFY2(notices.size() == 1 && notices.constFirst().startsWith(u"success|"_s),
                 qPrintable(notices.join(u',')));
    }

    // One sale-list request per choice of "菜品"; a reply for an entry left, or for a closed
    // dialog, is dropped. The search looks into number, name and mnemonic, in any letter case.
    void saleListAndSearch()
    {
        const FoodInfo dish = plainDish();
        seedOrder({orderLine(dish, u"1"_s)});
        board(u"A01"_s)->tapButton(RoomView::CuiCai);
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
        QCOMPARE(sentCount(u"GetDeskSaleList"_s), 1);

        injectFault(u"GetDeskSaleList"_s, u"delay&ms=300"_s);
        dialog->selectEntry(3);
        dialog->selectEntry(1);
        const qsizetype categories = dialog->candidates()->count();
        QVERIFY(categories > 0);
        settle();
        QCOMPARE(dialog->columnTitles() << QString::number(dialog->candidates()->count()),
                 (QStringList{u"大类编号"_s, u"大类名称"_s, QString::number(categories)}));
        dialog->selectEntry(3);
        dialog->cancel();
        QTRY_VERIFY(idle());
        QCOMPARE(sentCount(u"GetDeskSaleList"_s), 3);
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
        QCOMPARE(sentCount(u"KaiTai"_s), 1);
        boards.back()->tables()->tap(0);
        boards.back()->tapButton(RoomView::CuiCai);
        topPopup<StyleTableViewController>()->confirm();
        settle();
        QCOMPARE(sentCount(u"DeskHurry"_s), 1);
    }

    // One "PrintDeskBill" per tap, however many boards are alive, opened by a board or another screen.
    void onePrintPerTap_data()
    {
        columns<int, bool>("boardCount", "fromBoard");
        QTest::newRow("another screen, two boards") << 2 << false;
        QTest::newRow("from one of two boards") << 2 << true;
    }
    void onePrintPerTap()
    {
        const auto [boardCount, fromBoard] = row<int, bool>("boardCount", "fromBoard");
        const FoodInfo dish = plainDish();
        seedOrder({orderLine(dish, u"2"_s)});
        for (int i = 0; i < boardCount; ++i)
            board(u"A01"_s);
        QObject screen; // the order list, say
        if (fromBoard)
            boards.front()->tapButton(RoomView::ChaZhangDan);
        else
            CheckoutOrderViewController::openForTable(&screen, u"A01"_s);
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
        QCOMPARE(sentCount(u"PrintDeskBill"_s), 1);
        QCOMPARE(server.printedFiles().size(), printed + 1);
    }

    void openingABillByNameNeedsATable()
    {
        QVERIFY(pops().pop(PopName::CheckoutOrderViewController, {QVariant(QString())}));
        QTest::qWait(50);
        QVERIFY(pops().arrControllers().isEmpty());
    }

    // Lines "qty|price": each line's amount, the total, the quantity as received.
    void billTexts_data()
    {
        columns<QStringList, QString>("lines", "shown");
        QTest::newRow("not a number")
            << QStringList{u"两|18.5"_s, u"1|30"_s} << u"两 0.00 30.00 总计：30.00"_s;
        QTest::newRow("NaN and inf") << QStringList{u"NaN|18.5"_s, u"1|inf"_s} << u"0 0.00 0.00 总计：0.00"_s;
        QTest::newRow("beyond a float")
            << QStringList{u"1e308|2"_s, u"1|30"_s} << u"0 0.00 30.00 总计：30.00"_s;
        QTest::newRow("a product beyond a float")
            << QStringList{u"1e20|1e20"_s, u"1|30"_s} << u"1e20 0.00 30.00 总计：30.00"_s;
    }
    // The lines as read from a reply ("saleQty|SalePrice" each): the first quantity as shown, the
    // line amounts and the total.
    void billTexts()
    {
        const auto [lines, shown] = row<QStringList, QString>("lines", "shown");
        QStringList attributes;
        for (const QString &line : lines) {
            attributes << u"pluno=\"101\" saleQty=\""_s + line.section(u'|', 0, 0) + u"\" SalePrice=\""_s +
                              line.section(u'|', 1, 1) + u'"';
        }
        const auto rows =
            ResponseParser::sharedParser().parseDeskSaleList(replyRow(attributes.join(u"/><Row "_s)), false);
        QVERIFY(rows);
        CheckoutOrderViewController bill(u"A01"_s, *rows);
        QAbstractItemModelTester tester(bill.lines());
        QStringList texts{bill.lines()->index(0).data(BillModel::SaleQtyRole).toString()};
        for (const DishOperations::BillLine &line : bill.lines()->lines())
            texts.append(line.amount);
        QCOMPARE(texts.join(u' ') + u' ' + bill.totalText(), shown);
    }

    // A read that brings nothing shows what its reader wants (a transport failure always): the bill
    // everything, the board's refresh no unreadable reply, the dish dialog's list no refusal.
    void readsShowWhatTheirReaderWants_data()
    {
        using Shown = DiningRoom::Shown;
        const int Everything = int(Shown::Everything), RefusalsOnly = int(Shown::RefusalsOnly),
                  FailuresOnly = int(Shown::FailuresOnly);
        columns<int, QString, QString, QString>("shown", "table", "fault", "notice");
        const QString refused = u"error|台号(Z99)不存在"_s;
        QTest::newRow("read") << Everything << u"A01"_s << QString() << QString();
        QTest::newRow("refused, shown") << Everything << u"Z99"_s << QString() << refused;
        QTest::newRow("refused, board") << RefusalsOnly << u"Z99"_s << QString() << refused;
        QTest::newRow("refused, dialog") << FailuresOnly << u"Z99"_s << QString() << QString();
        QTest::newRow("unreadable, shown") << Everything << u"A01"_s << u"notxml"_s << u"error|解析错误"_s;
        QTest::newRow("unreadable, board") << RefusalsOnly << u"A01"_s << u"notxml"_s << QString();
        QTest::newRow("failed, dialog")
            << FailuresOnly << u"A01"_s << u"status&status=413"_s
            << u"error|服务器拒绝了请求（HTTP 413）：内容太多，超过服务器的上限"_s;
    }
    void readsShowWhatTheirReaderWants()
    {
        const auto [shown, table, fault, notice] =
            row<int, QString, QString, QString>("shown", "table", "fault", "notice");
        if (!fault.isEmpty())
            injectFault(u"GetDeskSaleList"_s, fault);
        QObject reader;
        std::optional<std::optional<QList<Row2>>> got;
        Services::installed().dining->readSaleList(
            &reader, table, false, DiningRoom::Shown(shown),
            [&got](const std::optional<QList<Row2>> &lines) { got = lines; });
        QTRY_VERIFY(got);
        settle();
        QCOMPARE(got->has_value(), QByteArray(QTest::currentDataTag()) == "read");
        QCOMPARE(notices.join(u'\n'), notice);
    }

    // What a broken exchange shows, and whether the states are asked for again.
    void faults_data()
    {
        columns<QString, QString, QString, int>("command", "fault", "shown", "refreshes");
        const QString unknown = u"error|结果未知：%1，请核对桌台后再操作"_s;
        QTest::newRow("unreadable table command")
            << u"KaiTai"_s << u"notxml"_s << unknown.arg(u"解析错误") << 1;
        QTest::newRow("table command without a message")
            << u"KaiTai"_s << u"status"_s << unknown.arg(u"Error Domain=Qelvo Code=500") << 1;
        QTest::newRow("table command refused by its status")
            << u"KaiTai"_s << u"status&status=413"_s
            << u"error|服务器拒绝了请求（HTTP 413）：内容太多，超过服务器的上限"_s << 0;
        QTest::newRow("unreadable states") << u"GetRoomDeskState"_s << u"notxml"_s << QString() << 1;
    }
    void faults()
    {
        const auto [command, fault, shown, refreshes] =
            row<QString, QString, QString, int>("command", "fault", "shown", "refreshes");
        RoomView *view = board(u"A01"_s);
        injectFault(command, fault);
        const qsizetype before = sentCount(u"GetRoomDeskState"_s);
        if (command == u"KaiTai") {
            view->tapButton(RoomView::KaiTai);
            topPopup<TableFormController>()->typeText(1, u"4"_s);
            topPopup<TableFormController>()->confirm();
        } else
            view->tapButton(RoomView::Refresh);
        settle();
        QCOMPARE(notices.join(u'\n'), shown);
        QCOMPARE(sentCount(u"GetRoomDeskState"_s), before + refreshes);
    }

    // In the real window: open A01 for 4 on the keypad, move it to A02, the bills, and one print.
    void windowFlow()
    {
        seedOrder({orderLine(plainDish(), u"2"_s), orderLine(weighedDish(), u"1.5"_s)}, u"V01"_s, u"3"_s);
        QVERIFY(show(u"tst_table_board"_s, server.port(), "http://127.0.0.1:1"));

        UiTest::tap(item(u"staffEntrance"_s));
        QVERIFY(opened(u"staffScreen"_s));
        UiTest::tap(item(u"staffEntry_0"_s));
        QTRY_VERIFY(item(u"roomBoard"_s) && item(u"roomBoard"_s)->isVisible());
        QTRY_VERIFY(idle());
        QTRY_VERIFY(labelOf(u"table_V01"_s).startsWith(u"3人 ￥"_s));
        QCOMPARE(labelOf(u"table_A01"_s), u"A01"_s);
        UiTest::tap(item(u"table_A01"_s));
        saveScreenshot(u"table-board"_s);

        QQuickItem *form = nullptr, *dishes = nullptr, *bill = nullptr;
        // A tap anywhere on a field moves the keys there: the table's edge, the guests' padding,
        // the table's text; each keypad appears with its field.
        QVERIFY((form = openDialog({}, 1)));
        const auto field = [&form](int index) {
            return UiTest::findItem(form, u"formField_"_s + QString::number(index));
        };
        UiTest::tap(field(0), UiTest::Spot::Right);
        UiTest::tap(field(1), UiTest::Spot::Left);
        QTRY_VERIFY(UiTest::findItem(form, u"numberKeypad"_s)->isVisible());
        UiTest::tap(UiTest::findItem(field(0), u"fieldInput"_s));
        QTRY_VERIFY(UiTest::findItem(form, u"letterKeypad"_s)->isVisible());
        tapKeys(form, {u"clear"_s, u"A"_s, u"0"_s, u"1"_s});
        UiTest::tap(UiTest::findItem(field(1), u"fieldText"_s));
        tapKeys(form, {u"4"_s});
        QCOMPARE(field(0)->property("text").toString() + u'/' + field(1)->property("text").toString(),
                 u"A01/4"_s);
        QTest::qWait(300);
        saveScreenshot(u"table-open"_s);
        closePopup(form, u"confirmButton"_s);
        QTRY_VERIFY(idle());
        QVERIFY2(notices.value(0).startsWith(u"success|"_s) && notices.value(0).endsWith(u"开台成功"_s),
                 qPrintable(notices.join(u'\n')));
        QTRY_COMPARE(labelOf(u"table_A01"_s), u"4人 ￥0.00"_s);
        QTRY_VERIFY(idle());

        QVERIFY((form = openDialog(u"table_A01"_s, 2)));
        auditTouch(u"table-move"_s);
        UiTest::tap(field(1));
        tapKeys(form, {u"A"_s, u"0"_s, u"2"_s});
        closePopup(form, u"confirmButton"_s);
        QTRY_COMPARE(labelOf(u"table_A02"_s), u"4人 ￥0.00"_s);
        QTRY_COMPARE(labelOf(u"table_A01"_s), u"A01"_s);
        QTRY_VERIFY(idle());

        QVERIFY((dishes = openDialog(u"table_V01"_s, 8)));
        QTRY_VERIFY(idle());
        QTRY_VERIFY(UiTest::findItem(dishes, u"candidate_1"_s));
        // The search keypad comes back with a tap on its field after its close key.
        QQuickItem *letters = UiTest::findItem(dishes, u"letterKeypad"_s);
        UiTest::tap(UiTest::findItem(dishes, u"searchField"_s));
        QTRY_VERIFY(letters->isVisible());
        tapKeys(dishes, {u"close"_s});
        QTRY_VERIFY(!letters->isVisible());
        UiTest::tap(UiTest::findItem(dishes, u"searchField"_s), UiTest::Spot::Right);
        QTRY_VERIFY(letters->isVisible());
        tapKeys(dishes, {u"close"_s});
        UiTest::tap(UiTest::findItem(dishes, u"candidate_0"_s));
        NoticeBoard::instance().hideToast();
        QTest::qWait(300);
        saveScreenshot(u"dish-operation"_s);
        closePopup(dishes, u"cancelButton"_s);

        QVERIFY((bill = openDialog(u"table_V01"_s, 10)));
        QTRY_VERIFY(UiTest::findItem(bill, u"billLine_1"_s));
        NoticeBoard::instance().hideToast();
        QTest::qWait(300);
        saveScreenshot(u"bill"_s);
        closePopup(bill, u"closeButton"_s);

        QVERIFY((bill = openDialog(u"table_A02"_s, 10)));
        QCOMPARE(textIn(bill, u"billTotal"_s), u"总计：0.00"_s);
        closePopup(bill, u"printButton"_s);
        QCOMPARE(sentCount(u"PrintDeskBill"_s), 1);
        QCOMPARE(server.printedFiles().filter(u"bill-A02-"_s).size(), 1);

        // The table-operation screen, as the order list opens it: its own board, no login button.
        Navigator::instance().push(u"TableOpScreen"_s);
        QVERIFY(opened(u"tableOpScreen"_s));
        QQuickItem *opScreen = item(u"tableOpScreen"_s);
        QVERIFY(!UiTest::findItem(opScreen, u"btnLogin"_s)->isVisible());
        QTRY_VERIFY(idle());
        NoticeBoard::instance().hideToast();
        auditTouch(u"table-op"_s);
        QQuickItem *moved = UiTest::findItem(opScreen, u"table_A02"_s);
        QVERIFY(moved);
        QCOMPARE(textIn(moved, u"tableNumber"_s), u"4人 ￥0.00"_s);
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
