// The order list's editors and the held-order list, at controller level on the demo catalogue.
#include "../storage/BaseDataFixture.h"
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/OrderManager.h"
#include "storage/DBManager.h"
#include "ui/order/GuaDanViewController.h"

#include "ui/order/LineNumberEditors.h"
#include "ui/order/TasteViewController.h"
#include "ui/order/TempFoodViewController.h"
#include <sqlite3.h>

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {
std::shared_ptr<FoodOrder> orderedLine(const QString &name)
{
    OrderManager &orders = OrderManager::defaultManager();
    orders.addFood(UiTest::demoDish(name));
    orders.processOrderCache();
    return orders.arrOrders().value(0);
}

struct TempDish {
    bool pick;
    QString name, price, qty, notice;
};

QStringList names(const QList<TasteInfo> &tastes)
{
    QStringList names;
    for (const TasteInfo &taste : tastes)
        names.append(taste.TasteName + u'|' + QString::number(taste.TasteAmt));
    return names;
}
} // namespace

class TestOrderEditors : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<NoticeLog> notices;

private slots:
    void initTestCase()
    {
        notices = UiTest::recordNotices();
        OrderManager::defaultManager().genNewPack();
    }

    void cleanup()
    {
        OrderManager::defaultManager().deleteAllFoodOrders();
        OrderManager::defaultManager().changePack([](OrderPack &pack) {
            pack.arrTaste.clear();
            pack.CustCount.reset();
        });
        notices->shown.clear();
        UI_VERIFY_NO_WARNINGS();
    }

    // Duplicates kept once, the manual taste replaced at the end, typing clears the surcharge,
    // a bad surcharge refused; nothing reaches the line before "确定".
    void tasteEditorLineForm()
    {
        const auto line = orderedLine(u"辣子鸡"_s);
        QVERIFY(line);
        TasteViewController editor(line);
        QCOMPARE((QStringList{editor.title(), editor.picker()->categories()->titles().value(0),
                              QVariant(editor.isPackForm()).toString()}),
                 (QStringList{line->foodName, u"绑定做法"_s, u"false"_s}));
        for (int tile : {0, 0, 1})
            editor.picker()->offered()->tap(tile);
        QCOMPARE(editor.picker()->chosenTastes().size(), 2);

        editor.picker()->addManual();
        editor.picker()->setManualText(u"少油"_s);
        editor.picker()->setAmountText(u"-50"_s);
        editor.picker()->addManual();
        editor.picker()->setAmountText(u"."_s);
        editor.picker()->addManual();
        editor.picker()->setAmountText(u"3"_s);
        editor.picker()->setManualText(u"少油\t"_s); // refused, the surcharge stays
        QCOMPARE(editor.picker()->amountText(), u"3"_s);
        editor.picker()->addManual();
        editor.picker()->setManualText(u"走葱"_s);
        editor.picker()->addManual(); // replaces 少油 and goes to the end
        editor.picker()->offered()->tap(2);
        QCOMPARE(notices->shown, (QStringList{u"error|请输入做法"_s, u"error|请输入正确的金额"_s,
                                              u"error|请输入正确的金额"_s}));
        const QStringList chosen = names(editor.picker()->chosenTastes());
        // Four chosen, the manual one third; the line has none yet.
        QCOMPARE((QStringList{QString::number(chosen.size()), chosen.value(2),
                              QString::number(line->arrTaste.size())}),
                 (QStringList{u"4"_s, u"走葱|0"_s, u"0"_s}));

        editor.picker()->chosen()->tap(0);
        QCOMPARE(editor.picker()->chosenTastes().size(), 3);
        editor.confirm();
        QCOMPARE(names(line->arrTaste), names(editor.picker()->chosenTastes()));
    }

    // The whole-order form: style "B", "整单备注", no surcharge even when one was typed.
    void tasteEditorPackForm()
    {
        TasteViewController editor(nullptr);
        QVERIFY(editor.isPackForm() && editor.picker()->categories()->count() > 0);
        QCOMPARE(editor.title(), u"整单备注"_s);
        editor.picker()->offered()->tap(0);
        editor.picker()->setManualText(u"快一点"_s);
        editor.picker()->setAmountText(u"5"_s);
        editor.picker()->addManual();
        editor.confirm();
        QList<TasteInfo> remarks;
        OrderManager::defaultManager().changePack([&](OrderPack &pack) { remarks = pack.arrTaste; });
        QCOMPARE(names(remarks).mid(1), QStringList{u"快一点|0"_s}); // the chosen one, then the typed one
    }

    // A line's quantity and price: refusals, their message; "stored"/"notice" none: as before/accepted.
    void lineNumberEditors_data()
    {
        columns<bool, QString, QString, QString>("price", "typed", "notice", "stored");
        const QString quantity = u"请输入正确数量"_s, amount = u"请输入正确的金额"_s;
        QTest::newRow("quantity 0.5") << false << u"0.5"_s << QString() << u"0.50"_s;
        QTest::newRow("quantity -2") << false << u"-2"_s << quantity << u"1.00"_s;
        QTest::newRow("quantity 1..2") << false << u"1..2"_s << quantity << u"1.00"_s;
        QTest::newRow("quantity beyond reason") << false << u"99999999"_s << quantity << u"1.00"_s;
        QTest::newRow("price 12.5") << true << u"12.5"_s << QString() << u"12.50"_s;
        QTest::newRow("price -1") << true << u"-1"_s << amount << QString();
        QTest::newRow("price .") << true << u"."_s << amount << QString();
    }
    void lineNumberEditors()
    {
        const auto [price, typed, notice, stored] =
            row<bool, QString, QString, QString>("price", "typed", "notice", "stored");
        const auto line = orderedLine(u"宫保鸡丁"_s);
        const auto value = [&] { return price ? line->PriceSale1() : line->OrderQuantity(); };
        const QString before = value();
        const std::unique_ptr<NumberInputViewController> editor(
            price ? static_cast<NumberInputViewController *>(new SalePriceChangeViewController(line))
                  : new SaleQtyChangeViewController(line));
        QCOMPARE(editor->title() + u'|' + editor->text(), (price ? u"价格修改|"_s : u"数量修改|"_s) + before);
        editor->setText(typed);
        editor->confirm();
        QCOMPARE(notices->shown, notice.isEmpty() ? QStringList() : QStringList{u"error|"_s + notice});
        QCOMPARE(value(), stored.isEmpty() ? before : stored);
        QCOMPARE(editor->isDismissing(), notice.isEmpty());
    }

    void guestEditor_data()
    {
        columns<QString, bool>("typed", "accepted");
        QTest::newRow("four") << u"4"_s << true;
        QTest::newRow("zero kept as typed") << u"0"_s << true;
        QTest::newRow("two and a half") << u"2.5"_s << true;
        QTest::newRow("two points") << u"1..2"_s << false;
        QTest::newRow("letter") << u"a"_s << false;
    }
    void guestEditor()
    {
        const auto [typed, accepted] = row<QString, bool>("typed", "accepted");
        QObject *confirmed = nullptr;
        NotificationCenter::defaultCenter().addObserver(
            this, Notify::PopManagerControllerConfirm,
            [&](const Notification &note) { confirmed = note.object.value<QObject *>(); });
        CusNumChangeViewController editor;
        QCOMPARE(editor.title() + u'|' + editor.text(), u"请输入用餐人数|0"_s);
        editor.setText(typed);
        editor.confirm();
        QCoreApplication::processEvents();
        NotificationCenter::defaultCenter().removeObserver(this, Notify::PopManagerControllerConfirm);
        std::optional<QString> stored;
        OrderManager::defaultManager().changePack([&](OrderPack &pack) { stored = pack.CustCount; });
        QCOMPARE(stored, accepted ? std::optional<QString>(typed) : std::nullopt);
        QCOMPARE(confirmed == &editor, accepted);
        QCOMPARE(notices->shown, accepted ? QStringList() : QStringList{u"error|请输入正确数量"_s});
    }

    void tempDishChecks_data()
    {
        QTest::addColumn<TempDish>("row");
        QTest::newRow("nothing picked") << TempDish{false, u"x"_s, u"5"_s, u"1"_s, u"请选择菜品"_s};
        QTest::newRow("no name") << TempDish{true, u" "_s, u"5"_s, u"1"_s, u"请填菜品名称"_s};
        QTest::newRow("no price") << TempDish{true, u"x"_s, QString(), u"1"_s, u"请填写销售价格"_s};
        QTest::newRow("zero price") << TempDish{true, u"x"_s, u"0"_s, u"1"_s, u"销售价格需要大于零！"_s};
        QTest::newRow("point price") << TempDish{true, u"x"_s, u"."_s, u"1"_s, u"销售价格需要大于零！"_s};
        QTest::newRow("zero quantity") << TempDish{true, u"x"_s, u"5"_s, u"0.5"_s, u"销售需需大于1！"_s};
        QTest::newRow("two-point quantity")
            << TempDish{true, u"x"_s, u"5"_s, u"1..2"_s, u"销售需需大于1！"_s};
        QTest::newRow("runaway quantity")
            << TempDish{true, u"x"_s, u"5"_s, u"99999999"_s, u"销售需需大于1！"_s};
    }
    void tempDishChecks()
    {
        QFETCH(TempDish, row);
        const auto &[pick, name, price, qty, notice] = row;
        TempFoodViewController editor;
        if (pick)
            editor.select(0);
        editor.setNameText(name);
        editor.setPriceText(price);
        editor.setQtyText(qty);
        editor.confirm();
        QCOMPARE(notices->shown, QStringList{u"error|"_s + notice});
        QVERIFY(OrderManager::defaultManager().arrOrders().isEmpty());
        QVERIFY(!editor.isDismissing());
    }

    // Three portions are one line of quantity 3 at the typed price; the catalogue keeps its record.
    void tempDishAddsOneLine()
    {
        TempFoodViewController editor;
        QCOMPARE(editor.dishNames(), (QStringList{u"临时菜"_s, u"临时酒水"_s}));
        editor.select(1);
        QCOMPARE(editor.nameText() + u'|' + editor.qtyText(), u"临时酒水|1"_s);
        editor.setNameText(u"自带红酒"_s);
        editor.setPriceText(u"88.5"_s);
        editor.setQtyText(u"3"_s);
        editor.confirm();
        QCOMPARE(notices->shown, QStringList());
        const auto lines = OrderManager::defaultManager().arrOrders();
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.at(0)->foodName + u'|' + lines.at(0)->OrderQuantity() + u'|' +
                     QString::number(lines.at(0)->salePrice1),
                 u"自带红酒|3.00|88.5"_s);
        QCOMPARE(UiTest::demoDish(u"临时酒水"_s, true).info->salePrice1, 0.0f);
    }
    // Rows numbered in store order with their time; the lines and the "%.1f" total; a broken
    // record selected after a good one leaves nothing to take back.
    void heldOrderList()
    {
        OrderManager &orders = OrderManager::defaultManager();
        orders.addFood(UiTest::demoDish(u"宫保鸡丁"_s));
        orders.addFood(UiTest::demoDish(u"米饭"_s));
        orders.processOrderCache();
        const auto lines = orders.arrOrders();
        QCOMPARE(lines.size(), 2);
        orders.changeLine(lines.at(0), [](FoodOrder &line) { line.salePrice1 = 12.5f; });
        orders.changeLine(lines.at(1), [](FoodOrder &line) { line.salePrice1 = 8; });
        bool saved = false;
        orders.orderPack()->saveGuaDan([&saved](bool ok) { saved = ok; });
        QVERIFY(saved);
        QList<Guadan> stored = heldOrders();
        DBManager &db = DBManager::mainDBManager();
        QString broken = stored.at(0).content;
        broken.replace(QRegularExpression(u"<OrderDetail>.*</OrderDetail>"_s,
                                          QRegularExpression::DotMatchesEverythingOption),
                       u"<OrderDetail></OrderDetail>"_s);
        db.saveOrderPack(broken, [&saved](bool ok) { saved = ok; });
        QVERIFY(saved);
        QCOMPARE(heldOrders().size(), 2);

        notices->shown.clear();
        GuaDanViewController list;
        const QStringList rows = list.heldRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0),
                 u"1\t"_s + stored.at(0).createDate.toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"_s));
        QVERIFY(rows.at(1).startsWith(u"2\t"_s));
        list.confirm();
        QCOMPARE(notices->shown, QStringList{u"error|请选择挂单"_s});
        list.select(1); // the good one, held first
        QCOMPARE(list.totalText(), u"20.5"_s);
        QCOMPARE(list.lineRows().size(), 2);
        QVERIFY(list.lineRows().at(0).endsWith(u"\t12.50"_s));
        list.select(0); // the broken one
        QCOMPARE(list.lineRows(), QStringList());
        list.confirm();
        QCOMPARE(notices->shown,
                 (QStringList{u"error|请选择挂单"_s, u"info|操作失败"_s, u"error|请选择挂单"_s}));
        QCOMPARE(heldOrders().size(), 2);

        // A store that refuses the delete: nothing is taken back, nothing is lost.
        orders.deleteAllFoodOrders();
        orders.addFood(UiTest::demoDish(u"米饭"_s));
        orders.processOrderCache();
        const auto execute = [](const char *sql) {
            sqlite3 *handle = nullptr;
            QCOMPARE(sqlite3_open(DBManager::mainDBPath().toUtf8().constData(), &handle), SQLITE_OK);
            QCOMPARE(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(handle);
        };
        execute("create trigger held_stays before delete on guadan begin select raise(abort, 'kept'); end");
        notices->shown.clear();
        list.select(1);
        list.confirm();
        QCOMPARE(notices->shown, QStringList{u"error|恢复挂单失败"_s});
        QCOMPARE(orders.arrOrders().size(), 1);
        QCOMPARE(heldOrders().size(), 2);
        execute("drop trigger held_stays");

        // Taken back: it is the order in progress and has left the store.
        list.confirm();
        QCOMPARE(orders.arrOrders().size(), 2);
        QCOMPARE(orders.arrOrders().at(0)->salePrice1, 12.5f);
        stored = heldOrders();
        QCOMPARE(stored.size(), 1);
        db.deleteGuadanById(stored.at(0).gid, {});
        orders.deleteAllFoodOrders();
    }
};

DIANCAI_UI_TEST_MAIN(TestOrderEditors)
#include "tst_order_editors.moc"
