// The search pop-up and the quick-order screen at controller level on the demo catalogue.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/FoodActions.h"
#include "order/OrderManager.h"
#include "order/TaskManager.h"
#include "toolkit/KeyboardBase.h"
#include "ui/order/QuickOrderViewController.h"
#include "ui/order/SearchViewController.h"

#include <QAbstractItemModelTester>

using namespace Qt::StringLiterals;

namespace {
void type(DishSearchField &field, const QStringList &keys)
{
    for (const QString &key : keys)
        field.keyboard()->click(key);
    QCoreApplication::processEvents();
}

int rowOf(const DishRowsModel &rows, const QString &name)
{
    for (int i = 0; i < rows.count(); ++i) {
        if (rows.dish(i).info->foodName == name)
            return i;
    }
    return -1;
}
} // namespace

class TestDishSearch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UiTest::startRecording(); }

    void cleanup()
    {
        OrderManager::defaultManager().deleteAllFoodOrders();
        UI_VERIFY_NO_WARNINGS();
    }

    // After an add, a typed character starts a one-character search; delete and "清空" only
    // drop the rule and act on the text as it is.
    void keyAfterAnAddedDish_data()
    {
        columns<QString, QString>("key", "text");
        QTest::newRow("a character") << u"Z"_s << u"Z"_s;
        QTest::newRow("delete") << KeyboardBase::kKeyDelete << u"PH"_s;
        QTest::newRow("clear") << KeyboardBase::kKeyClear << QString();
    }
    void keyAfterAnAddedDish()
    {
        const auto [key, text] = row<QString, QString>("key", "text");
        SearchViewController search;
        QAbstractItemModelTester tester(search.dishes());
        const int all = search.dishes()->count();
        QVERIFY(all > 20);
        DishSearchField &field = *search.field();
        type(field, {u"P"_s}); // not edited yet: nothing happens
        QCOMPARE(field.text(), QString());
        field.beginEditing();
        type(field, {u"P"_s, u"H"_s, u"G"_s});
        QCOMPARE(field.text(), u"PHG"_s);
        const int row = rowOf(*search.dishes(), u"拍黄瓜"_s);
        QVERIFY(row >= 0);
        QSignalSpy selectAll(&field, &DishSearchField::selectAllRequested);
        search.add(row);
        QCOMPARE(selectAll.count(), 1);
        QCOMPARE(OrderManager::defaultManager().arrOrders().size(), 1);
        type(field, {key});
        QCOMPARE(field.text() + u'|' + field.keyboard()->getValue(), text + u'|' + text);
        QVERIFY(!field.addedFlag());
        type(field, {u"Q"_s});
        QCOMPARE(field.text(), text + u"Q"_s);
        field.clear();
        QCOMPARE(search.dishes()->count(), all);
    }

    void amountsAndReloadFlag_data()
    {
        QTest::addColumn<bool>("reload");
        QTest::newRow("from the menu") << false;
        QTest::newRow("from the order list") << true;
    }
    void amountsAndReloadFlag()
    {
        QFETCH(bool, reload);
        SearchViewController search;
        search.setProperty("shouldReloadOrderList", reload);
        int posted = 0;
        NotificationCenter::defaultCenter().addObserver(this, Notify::UpdateOrderList,
                                                        [&posted](const Notification &) { ++posted; });
        // What the order manager posts itself for one add and one removal.
        const int row = rowOf(*search.dishes(), u"拍黄瓜"_s);
        FoodActions(search.dishes()->dish(row)).addFood();
        FoodActions(search.dishes()->dish(row)).delFood();
        QCoreApplication::processEvents();
        const int own = std::exchange(posted, 0);
        search.add(row);
        search.remove(row);
        QCoreApplication::processEvents();
        NotificationCenter::defaultCenter().removeObserver(this);
        QCOMPARE(posted, own + (reload ? 2 : 0));
        // The amounts come from the one background queue: its last task read the final count.
        QVERIFY(TaskManager::defaultManager().waitForDone(5000));
        QCoreApplication::processEvents();
        const QModelIndex first = search.dishes()->index(0);
        QCOMPARE(first.data(DishRowsModel::AmountRole).toString(), u"0"_s);
        NotificationCenter::defaultCenter().post(
            Notify::TaskOrderAmount,
            QStringList{first.data(DishRowsModel::FoodnoRole).toString(), u"2.50"_s});
        QCOMPARE(first.data(DishRowsModel::AmountRole).toString(), u"2.5"_s);
    }

    // The search pop-up back in front selects its text; keys edit only the field being edited.
    void backToFrontAndFocus()
    {
        SearchViewController search;
        QuickOrderViewController quick;
        quick.viewDidLoad();
        QSignalSpy selectAll(search.field(), &DishSearchField::selectAllRequested);
        NotificationCenter::defaultCenter().post(Notify::PopManagerControllerBackToFront,
                                                 QVariant::fromValue<QObject *>(&quick));
        QCOMPARE(selectAll.count(), 0);
        NotificationCenter::defaultCenter().post(Notify::PopManagerControllerBackToFront,
                                                 QVariant::fromValue<QObject *>(&search));
        QCOMPARE(selectAll.count(), 1);
        search.field()->beginEditing();
        quick.field()->beginEditing();
        QVERIFY(!search.field()->isEditing());
        type(*quick.field(), {u"M"_s, u"F"_s});
        QCOMPARE(quick.field()->text(), u"MF"_s);
        QCOMPARE(search.field()->text(), QString());
    }

    // Sections by small category, the first row chosen and shown in the panel, "例" for no unit;
    // clearing puts the keypad away 0.8 s later.
    void quickOrder()
    {
        QuickOrderViewController quick;
        quick.viewDidLoad();
        DishRowsModel &rows = *quick.dishes();
        QAbstractItemModelTester tester(&rows);
        QVERIFY(rows.count() > 20);
        QCOMPARE(rows.selectedIndex(), 0);
        QCOMPARE(quick.panelName(), rows.index(0).data(DishRowsModel::NameRole).toString());
        QVERIFY(quick.panelPicture().isLocalFile());
        QVERIFY(rows.index(0).data(DishRowsModel::SectionRole).toString().contains(u'\t'));

        quick.field()->beginEditing();
        type(*quick.field(), {u"Q"_s, u"Q"_s, u"Q"_s, u"Q"_s});
        QCOMPARE(rows.count(), 0);
        quick.field()->clear();
        QVERIFY(rows.count() > 20 && quick.field()->isEditing());
        QTRY_VERIFY(!quick.field()->isEditing());

        Food noUnit;
        noUnit.info->salePrice1 = 12;
        QCOMPARE(DishRowsModel::priceText(noUnit), u"￥12.00 / 例"_s);
        noUnit.info->unitname = u"碗"_s;
        QCOMPARE(DishRowsModel::priceText(noUnit), u"￥12.00 / 碗"_s);
    }
};

DIANCAI_UI_TEST_MAIN(TestDishSearch)
#include "tst_dish_search.moc"
