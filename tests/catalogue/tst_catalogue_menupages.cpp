// How the menu cuts the catalogue into pages, and which categories the strips select on each.
#include "CatalogueFixtures.h"

#include "catalogue/MenuPages.h"

#include <algorithm>

namespace {
// Big categories B1 "热菜" and B2 "凉菜" (B3 "酒水" has no dishes). Small categories: S1 "小炒" and
// S2 "推荐" (a real category of that name) in B1, S3 "小炒" (the same name again) in B2; S1 has its
// own 1 x 2 grid when `ownGrid`.
struct Catalogue {
    QList<FoodBigCatInfo> big{{u"B1"_s, u"热菜"_s, {}}, {u"B2"_s, u"凉菜"_s, {}}, {u"B3"_s, u"酒水"_s, {}}};
    QHash<QString, QList<FoodSmallCatInfo>> small;
    QList<Food> foods;

    explicit Catalogue(bool ownGrid = false)
    {
        small[u"B1"_s] = {category(u"S1"_s, u"小炒"_s, u"B1"_s, ownGrid ? 1 : 0, ownGrid ? 2 : 0),
                          category(u"S2"_s, u"推荐"_s, u"B1"_s)};
        small[u"B2"_s] = {category(u"S3"_s, u"小炒"_s, u"B2"_s)};
        small[u"B3"_s] = {category(u"S4"_s, u"啤酒"_s, u"B3"_s)};
    }
    static FoodSmallCatInfo category(const QString &no, const QString &name, const QString &big, int rows = 0,
                                     int cols = 0)
    {
        FoodSmallCatInfo c;
        c.scatno = no;
        c.scatName = name;
        c.bcatNo = big;
        c.layoutRow = rows;
        c.layoutCol = cols;
        return c;
    }
    // Dishes `first`.. of category `catno`; those listed in `recommended` carry the flag.
    void add(const QString &catno, int first, int count, const QList<int> &recommended = {})
    {
        for (int no = first; no < first + count; ++no) {
            Food food;
            food.info->foodno = QString::number(no);
            food.info->catno = catno;
            food.info->TjFlag = recommended.contains(no) ? u"Y"_s : u"N"_s;
            foods.append(food);
        }
    }
};

// One text per page: "big/small:dish,dish", the strips' categories by name.
QStringList describe(const MenuPages &pages)
{
    return mapped(pages.arrAllPages, [&pages](const MenuPages::Page &page) {
        const FoodSmallCatInfo &small = pages.arrAllSCate.at(page.smallCategory);
        return pages.arrCategory.at(page.bigCategory).bcatName + u'/' + small.scatno + u'=' + small.scatName +
               u':' + foodnos(page.foods).join(u',');
    });
}
} // namespace

class TestMenuPages : public QObject {
    Q_OBJECT
private slots:
    void pages_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("tuijian");
        QTest::addColumn<bool>("ownGrid");
        QTest::addColumn<QStringList>("expected");

        // S1 holds 7 dishes (two recommended), S3 holds 1.
        QTest::newRow("2 x 3: seven dishes on two pages")
            << 0 << false << false
            << QStringList{u"热菜/S1=小炒:1,2,3,4,5,6"_s, u"热菜/S1=小炒:7"_s, u"凉菜/S3=小炒:20"_s};
        QTest::newRow("2 x 4 for setting 1")
            << 1 << false << false << QStringList{u"热菜/S1=小炒:1,2,3,4,5,6,7"_s, u"凉菜/S3=小炒:20"_s};
        QTest::newRow("3 x 4: one page")
            << 2 << false << false << QStringList{u"热菜/S1=小炒:1,2,3,4,5,6,7"_s, u"凉菜/S3=小炒:20"_s};
        QTest::newRow("an unknown setting reads as 0")
            << 7 << false << false
            << QStringList{u"热菜/S1=小炒:1,2,3,4,5,6"_s, u"热菜/S1=小炒:7"_s, u"凉菜/S3=小炒:20"_s};
        QTest::newRow("a category's own grid wins")
            << 2 << false << true
            << QStringList{u"热菜/S1=小炒:1,2"_s, u"热菜/S1=小炒:3,4"_s, u"热菜/S1=小炒:5,6"_s,
                           u"热菜/S1=小炒:7"_s, u"凉菜/S3=小炒:20"_s};
        // The recommended category copies S1's grid: its second page shows S1 in the strip, and
        // the real category named "推荐" is never taken for it.
        QTest::newRow("recommended first, its later pages show their own category")
            << 0 << true << true
            << QStringList{u"热菜/S1=推荐:1,2"_s, u"热菜/S1=小炒:3"_s,   u"热菜/S1=小炒:1,2"_s,
                           u"热菜/S1=小炒:3,4"_s, u"热菜/S1=小炒:5,6"_s, u"热菜/S1=小炒:7"_s,
                           u"凉菜/S3=小炒:20"_s};
    }

    void pages()
    {
        QFETCH(int, layout);
        QFETCH(bool, tuijian);
        QFETCH(bool, ownGrid);
        QFETCH(QStringList, expected);
        Catalogue c(ownGrid);
        c.add(u"S1"_s, 1, 7, {1, 2, 3});
        c.add(u"S3"_s, 20, 1);
        const MenuPages pages = computeCollectionData(c.big, c.small, c.foods, u"推荐"_s, tuijian, layout);
        QCOMPARE(describe(pages), expected);
        // Recommended dishes are in the detail sequence once; empty categories have no pages.
        QCOMPARE(foodnos(pages.arrDetailFoodInfos).join(u','), u"1,2,3,4,5,6,7,20"_s);
        QCOMPARE(pages.arrCategory.size(), 3);
        QVERIFY(pages.arrCategory.at(2).arrSubCate.isEmpty());
        QVERIFY(std::none_of(pages.arrAllSCate.cbegin(), pages.arrAllSCate.cend(),
                             [](const FoodSmallCatInfo &s) { return s.scatno == u"S2"_s; }));
    }

    // Categories are found by identity: the second "小炒" is B2's, a page of the recommended one
    // is not the real "推荐", and a big category without dishes has no page.
    void pageOf()
    {
        Catalogue c(true);
        c.add(u"S1"_s, 1, 3, {1});
        c.add(u"S2"_s, 10, 1);
        c.add(u"S3"_s, 20, 1);
        const MenuPages pages = computeCollectionData(c.big, c.small, c.foods, u"推荐"_s, true, 0);
        QCOMPARE(describe(pages),
                 (QStringList{u"热菜/S1=推荐:1"_s, u"热菜/S1=小炒:1,2"_s, u"热菜/S1=小炒:3"_s,
                              u"热菜/S2=推荐:10"_s, u"凉菜/S3=小炒:20"_s}));
        const QList<int> b1 = pages.subCateIndexes.at(0);
        QCOMPARE(b1.size(), 3); // recommended, 小炒, the real 推荐
        QCOMPARE((QList<int>{pages.pageOf(0, b1.at(0)), pages.pageOf(0, b1.at(1)), pages.pageOf(0, b1.at(2)),
                             pages.pageOf(1, pages.subCateIndexes.at(1).at(0)), pages.pageOf(2, -1)}),
                 (QList<int>{0, 1, 3, 4, -1}));
    }

    void emptyMenuAndLabel()
    {
        const MenuPages pages = computeCollectionData({}, {}, {}, u"推荐"_s, true, 0);
        QCOMPARE(pages.pageCount(), 0);
        QCOMPARE(menuPageLabel(0, pages.pageCount()), u"1 / 0"_s);
        QCOMPARE(menuPageLabel(4, 12), u"5 / 12"_s);
    }
};

QTEST_GUILESS_MAIN(TestMenuPages)
#include "tst_catalogue_menupages.moc"
