#include "catalogue/DishSearch.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
Food dish(const QString &foodno, const QString &name, const QString &spell, const QString &catno)
{
    Food made;
    made.info->foodno = foodno;
    made.info->foodName = name;
    made.info->spellName = spell;
    made.info->catno = catno;
    return made;
}

const QList<Food> &menu()
{
    static const QList<Food> dishes{
        dish(u"0201"_s, u"宫保鸡丁"_s, u"GBJD"_s, u"02"_s), dish(u"0312"_s, u"水煮鱼"_s, u"SZY"_s, u"03"_s),
        dish(u"1020"_s, u"辣子鸡"_s, u"LZJ"_s, u"02"_s),    dish(u"0402"_s, u"米饭"_s, u"MF"_s, u"04"_s),
        dish(u"0501"_s, u"12年陈酿"_s, u"CN"_s, u"99"_s),
    };
    return dishes;
}

QStringList numbers(const QList<Food> &dishes)
{
    QStringList found;
    for (const Food &food : dishes)
        found.append(food.info->foodno);
    return found;
}
} // namespace

class TestCatalogueSearch : public QObject {
    Q_OBJECT
private slots:
    void filter_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("empty lists all") << QString() << numbers(menu());
        QTest::newRow("lower case against upper mnemonic") << u"zj"_s << QStringList{u"1020"_s};
        QTest::newRow("inside the mnemonic") << u"bj"_s << QStringList{u"0201"_s};
        QTest::newRow("digits anywhere, order kept")
            << u"02"_s << QStringList{u"0201"_s, u"1020"_s, u"0402"_s};
        QTest::newRow("digits in a name") << u"12"_s << QStringList{u"0312"_s, u"0501"_s};
        QTest::newRow("name") << u"鸡"_s << QStringList{u"0201"_s, u"1020"_s};
        QTest::newRow("no match") << u"QQ"_s << QStringList();
    }
    void filter()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, found);
        QCOMPARE(numbers(DishSearch::filterWithKey(menu(), key)), found);
    }

    // Categories in their own order, dishes in theirs; empty and unknown categories left out.
    void grouping()
    {
        const auto category = [](const QString &scatno, const QString &name) {
            FoodSmallCatInfo made;
            made.scatno = scatno;
            made.scatName = name;
            return made;
        };
        const QList<FoodSmallCatInfo> categories{category(u"04"_s, u"主食"_s), category(u"02"_s, u"热菜"_s),
                                                 category(u"05"_s, u"酒水"_s)};
        const auto sections = DishSearch::groupBySmallCategory(categories, menu());
        QCOMPARE(sections.size(), 2);
        QCOMPARE(sections.at(0).category.scatName, u"主食"_s);
        QCOMPARE(numbers(sections.at(0).dishes), QStringList{u"0402"_s});
        QCOMPARE(sections.at(1).category.scatName, u"热菜"_s);
        QCOMPARE(numbers(sections.at(1).dishes), (QStringList{u"0201"_s, u"1020"_s}));
        QVERIFY(DishSearch::groupBySmallCategory(categories, {}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCatalogueSearch)
#include "tst_catalogue_search.moc"
