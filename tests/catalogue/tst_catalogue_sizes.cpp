#include "catalogue/FoodSizes.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
FoodItemsize row(const QString &itemsize, float price)
{
    return FoodItemsize{u"101"_s, itemsize, price, 0, 0, 0};
}

QStringList sizeNames(const QList<FoodItemsize> &sizes)
{
    QStringList names;
    for (const FoodItemsize &size : sizes)
        names.append(size.itemsize);
    return names;
}
} // namespace

class TestCatalogueSizes : public QObject {
    Q_OBJECT
private:
    static FoodInfo dishPriced(float price)
    {
        FoodInfo dish;
        dish.foodno = u"101"_s;
        dish.salePrice1 = price;
        dish.orgItemSize = u"own"_s;
        return dish;
    }

private slots:
    void chooserOrder_data()
    {
        QTest::addColumn<QList<FoodItemsize>>("rows");
        QTest::addColumn<float>("ownPrice");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("30 and 20 with own 25") << QList{row(u"big"_s, 30), row(u"small"_s, 20)} << 25.0f
                                               << QStringList{u"small"_s, u"own"_s, u"big"_s};
        QTest::newRow("one row keeps the row first")
            << QList{row(u"big"_s, 30)} << 25.0f << QStringList{u"big"_s, u"own"_s};
        QTest::newRow("no rows, no list") << QList<FoodItemsize>{} << 25.0f << QStringList{};
        QTest::newRow("equal prices keep their order")
            << QList{row(u"a"_s, 20), row(u"b"_s, 20)} << 20.0f << QStringList{u"a"_s, u"b"_s, u"own"_s};
        QTest::newRow("ties among a sort") << QList{row(u"a"_s, 30), row(u"b"_s, 20), row(u"c"_s, 20)}
                                           << 25.0f << QStringList{u"b"_s, u"c"_s, u"own"_s, u"a"_s};
    }

    void chooserOrder()
    {
        QFETCH(QList<FoodItemsize>, rows);
        QFETCH(float, ownPrice);
        QFETCH(QStringList, offered);
        QCOMPARE(sizeNames(FoodSizes::forChooser(FoodSizes::withDefault(dishPriced(ownPrice), rows))),
                 offered);
    }

    void defaultEntryIsTheDishAsLoaded()
    {
        FoodInfo dish = dishPriced(25);
        dish.itemsize = u"big"_s; // a size chosen earlier must not replace the dish's own
        dish.salePrice2 = 24;
        dish.salePrice3 = 23;
        dish.MemberPrice = 22;
        const QList<FoodItemsize> sizes = FoodSizes::withDefault(dish, {row(u"big"_s, 30)});
        QCOMPARE(sizes.size(), 2);
        QCOMPARE(sizes.last(), (FoodItemsize{u"101"_s, u"own"_s, 25, 24, 23, 22}));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueSizes)
#include "tst_catalogue_sizes.moc"
