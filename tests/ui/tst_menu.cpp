// The menu and detail screens and the pop-ups adding a dish opens, on the demo catalogue.
#include "UiTestSupport.h"

#include "catalogue/SoldOutList.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/OrderManager.h"
#include "settings/ConfigManager.h"
#include "storage/DBManager.h"
#include "ui/menu/DishCardModel.h"
#include "ui/menu/FoodItemSizeViewController.h"
#include "ui/menu/MainViewController.h"
#include "ui/menu/MenuDetailViewController.h"
#include "ui/menu/TDetailsViewController.h"

#include <QAbstractItemModelTester>

using namespace Qt::StringLiterals;

namespace {
QStringList lineTexts()
{
    QStringList texts;
    for (const auto &line : OrderManager::defaultManager().arrOrders())
        texts.append(line->foodName + u'|' + line->itemsize + u'|' + line->OrderQuantity() + u'|' +
                     TasteInfo::displayTasteString(line->arrTaste));
    return texts;
}
} // namespace

class TestMenu : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<NoticeLog> notices;

private slots:
    void initTestCase() { notices = UiTest::recordNotices(); }

    void cleanup()
    {
        OrderManager::defaultManager().deleteAllFoodOrders();
        SoldOutList::shared().clear();
        ConfigManager::defaultManager().setIsDisplayTuiJian(false);
        notices->shown.clear();
        UI_VERIFY_NO_WARNINGS();
    }

    // Resting anywhere, the strips show the page's categories (taps on the strips: the window flow).
    void stripsFollowThePages()
    {
        MainViewController ctl;
        QAbstractItemModelTester pagesTester(ctl.pages());
        ctl.viewDidLoad();
        const MenuPages &menu = ctl.menu();

        // The menu rests on `page` and the strips show its categories.
        const auto stripsShow = [&](int page) {
            const MenuPages::Page &shown = menu.arrAllPages.at(page);
            return ctl.currentPage() == page && ctl.bigCategories()->selectedIndex() == shown.bigCategory &&
                   ctl.smallCategories()->selecteItemTitle() ==
                       menu.arrAllSCate.at(shown.smallCategory).scatName;
        };
        const int last = menu.pageCount() - 1;
        ctl.gridRested(0, 0);     // no width: ignored
        ctl.gridRested(1e9, 800); // past the end: the last page
        QVERIFY(stripsShow(last));
        QCOMPARE(ctl.pageLabel(), QString::number(last + 1) + u" / "_s + QString::number(last + 1));
    }

    void memberPrice_data()
    {
        columns<float, float, QString, QString>("price", "member", "market", "shown");
        QTest::newRow("below the price") << 28.0f << 25.0f << u"N"_s << u"会员 ￥ 25.00"_s;
        QTest::newRow("none") << 28.0f << 0.0f << u"N"_s << QString();
        QTest::newRow("not below") << 28.0f << 28.0f << u"N"_s << QString();
        QTest::newRow("market price") << 28.0f << 25.0f << u"Y"_s << QString();
    }

    void memberPrice()
    {
        const auto [price, member, market, shown] =
            row<float, float, QString, QString>("price", "member", "market", "shown");
        Food food;
        food.info->salePrice1 = price;
        food.info->MemberPrice = member;
        food.info->currpriceFlag = market;
        QCOMPARE(DishCardModel::memberPriceText(food), shown);
    }

    // A recommended dish stands on two pages: both cards get its amount and thumbnail.
    void taskResultsReachEveryCardOfTheDish()
    {
        ConfigManager::defaultManager().setIsDisplayTuiJian(true);
        MainViewController ctl;
        ctl.viewDidLoad();
        const MenuPages &menu = ctl.menu();
        const QString foodno = menu.arrAllPages.at(0).foods.at(0).info->foodno;
        QList<DishCardModel *> cards;
        const auto isDish = [&](const Food &food) { return food.info->foodno == foodno; };
        for (int page = 0; page < menu.pageCount(); ++page) {
            if (std::ranges::any_of(menu.arrAllPages.at(page).foods, isDish))
                cards.append(ctl.pages()->cards(page));
        }
        QCOMPARE(cards.size(), 2);
        QAbstractItemModelTester tester(cards.at(0));
        const auto row = [&](DishCardModel *model) {
            return model->index(int(std::ranges::find_if(model->foods(), isDish) - model->foods().cbegin()));
        };
        NotificationCenter &center = NotificationCenter::defaultCenter();
        center.post(Notify::TaskOrderAmount, QStringList{foodno, u"2.50"_s});
        center.post(Notify::TaskGenSmallImage, QStringList{foodno, u"/tmp/t.jpg"_s});
        for (DishCardModel *model : cards) {
            const QModelIndex card = row(model);
            QCOMPARE((QVariantList{card.data(DishCardModel::AmountRole),
                                   card.data(DishCardModel::AmountVisibleRole),
                                   card.data(DishCardModel::PictureRole)}),
                     (QVariantList{u"2.5"_s, true, QUrl::fromLocalFile(u"/tmp/t.jpg"_s)}));
        }
        center.post(Notify::TaskOrderAmount, QStringList{foodno, u"0"_s});
        QVERIFY(!row(cards.at(1)).data(DishCardModel::AmountVisibleRole).toBool());
    }

    void detailStopsAtBothEnds()
    {
        MenuDetailViewController detail;
        detail.viewDidLoad(); // no menu: nothing to show, nothing to step through
        detail.nextFood();
        detail.prevFood();
        QVERIFY(notices->shown.isEmpty());

        MainViewController menu;
        menu.viewDidLoad();
        const QList<Food> &sequence = menu.menu().arrDetailFoodInfos;
        detail.setSequence(sequence, sequence.at(1).info->foodno);
        QList<qsizetype> at{detail.currentIndex()};
        detail.prevFood();
        detail.prevFood();
        at << detail.currentIndex();
        detail.setSequence(sequence, u"no such dish"_s);
        at << detail.currentIndex();
        detail.nextFood();
        QCOMPARE(at << detail.currentIndex(),
                 (QList<qsizetype>{1, 0, sequence.size() - 1, sequence.size() - 1}));
        QCOMPARE(notices->shown, (QStringList{u"info|已到达最前"_s, u"info|已到达最后"_s}));
    }

    // The choice stays in the chooser: the shared catalogue record keeps its own size.
    void sizeChooser()
    {
        const Food dish = UiTest::demoDish(u"水煮鱼"_s);
        QVERIFY(dish.info->foodno.size() > 0);
        const QString ownSize = dish.info->itemsize;
        const QList<FoodItemsize> sizes{{dish.info->foodno, u"大份"_s, 88}, {dish.info->foodno, ownSize, 68}};
        FoodItemSizeViewController chooser(dish, sizes);
        QCOMPARE(chooser.rows(), (QStringList{u"大份 - ￥88.00"_s, ownSize + u" - ￥68.00"_s}));
        chooser.confirm();
        QCOMPARE(notices->shown, QStringList{u"error|请选择规格"_s});
        chooser.chooseRow(0);
        QCOMPARE(dish.info->itemsize, ownSize);
        QCOMPARE(lineTexts(), QStringList{u"水煮鱼|大份|1.00|"_s});
        QCOMPARE(OrderManager::defaultManager().arrOrders().at(0)->salePrice1, 88.0f);
    }

    // Exchanging moves the surcharge into the price; exchanging back restores it. Two sets order
    // the components twice; a sold-out component refuses the set by name.
    void setMealDetails()
    {
        Food set = UiTest::demoDish(u"商务套餐A"_s);
        DBManager::defaultManager().getTFoodDataWithFood(set);
        QVERIFY(set.isTFoodType() && !set.arrSuiteFoods.isEmpty());
        TDetailsViewController details(set);
        const QString basePrice = details.priceText();
        const int position = int(std::find_if(set.arrSuiteFoods.cbegin(), set.arrSuiteFoods.cend(),
                                              [](const Food &c) { return c.hasChangeFoods(); }) -
                                 set.arrSuiteFoods.cbegin());
        QVERIFY(position < set.arrSuiteFoods.size());
        const Food component = set.arrSuiteFoods.at(position);
        // The dearest alternative, so that the price must move.
        const QList<Food> &options = component.arrSuiteFoodsChange;
        const int choice =
            int(std::max_element(options.cbegin(), options.cend(),
                                 [](const Food &a, const Food &b) { return a.changeAmt < b.changeAmt; }) -
                options.cbegin());
        const Food alternative = options.at(choice);
        QVERIFY(alternative.changeAmt > 0);

        details.change();
        QCOMPARE(notices->shown, QStringList{u"error|请选择需换的菜品"_s});
        details.selectComponent(position);
        details.selectAlternative(choice);
        details.change();
        const float surcharge = alternative.changeAmt * component.suitFoodQty;
        QCOMPARE(details.priceText(), QString::asprintf("￥ %.2f", double(set.salePrice1() + surcharge)));
        QCOMPARE(details.food().arrSuiteFoods.at(position).info->foodno, alternative.info->foodno);
        details.change(); // the replaced component now stands where the alternative was
        QCOMPARE(details.priceText(), basePrice);
        QCOMPARE(details.food().arrSuiteFoods.at(position).info->foodno, component.info->foodno);

        details.del(); // stays at 1
        QCOMPARE(details.qtyText(), u"1.00"_s);
        details.add();
        SoldOutList::shared().publish({component.info->foodno});
        details.confirm();
        QCOMPARE(notices->shown.last(), u"error|"_s + component.info->foodName + u"已沽清"_s);
        QVERIFY(OrderManager::defaultManager().arrOrders().isEmpty());
        SoldOutList::shared().clear();
        details.confirm();
        const auto lines = OrderManager::defaultManager().arrOrders();
        QCOMPARE(lines.size(), 1 + set.arrSuiteFoods.size());
        QCOMPARE(lines.at(0)->OrderQuantity(), u"2.00"_s);
        QCOMPARE(lines.at(1 + position)->orderQty, 2 * component.suitFoodQty);
    }
};

DIANCAI_UI_TEST_MAIN(TestMenu)
#include "tst_menu.moc"
