// The models of the category strip and the tile grid, each under QAbstractItemModelTester.
#include "ui/components/CategoryScrollModel.h"
#include "ui/components/FoodInfoScrollModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QStringList kCategories{u"推荐"_s, u"热菜"_s, u"凉菜"_s, u"热菜"_s};

QList<FoodTile> tiles(int count)
{
    QList<FoodTile> made;
    for (int i = 0; i < count; ++i)
        made.append({u"做法"_s + QString::number(i), QString(), QString()});
    return made;
}
} // namespace

class TestModels : public QObject {
    Q_OBJECT
private slots:
    void categoryReloadSelectsTheFirstWithoutTelling()
    {
        CategoryScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy chosen(&model, &CategoryScrollModel::itemDidSelected);

        model.reloadData(kCategories);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.selectedIndex(), 0);
        QCOMPARE(model.selecteItemTitle(), u"推荐"_s);
        QCOMPARE(model.data(model.index(0), CategoryScrollModel::SelectedRole), QVariant(true));
        QCOMPARE(model.data(model.index(1), CategoryScrollModel::TitleRole), QVariant(u"热菜"_s));

        model.selectItemOf(2);
        model.reloadData({u"海鲜"_s});
        QCOMPARE(model.selectedIndex(), 0);
        model.reloadData({});
        QCOMPARE(model.selectedIndex(), -1);
        QCOMPARE(model.selecteItemTitle(), QString());
        QCOMPARE(chosen.count(), 0);
    }

    void categoryTaps_data()
    {
        QTest::addColumn<QList<int>>("taps");
        QTest::addColumn<QList<int>>("reported");
        QTest::addColumn<int>("selected");
        QTest::newRow("another item") << QList<int>{2} << QList<int>{2} << 2;
        QTest::newRow("the selected item again") << QList<int>{0} << QList<int>{} << 0;
        QTest::newRow("twice the same") << QList<int>{1, 1} << QList<int>{1} << 1;
        QTest::newRow("outside the strip") << QList<int>{4, -1} << QList<int>{} << 0;
    }

    void categoryTaps()
    {
        QFETCH(QList<int>, taps);
        QFETCH(QList<int>, reported);
        QFETCH(int, selected);
        CategoryScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.reloadData(kCategories);
        QList<int> told;
        connect(&model, &CategoryScrollModel::itemDidSelected, this, [&told](int i) { told << i; });
        for (int tap : taps)
            model.tap(tap);
        QCOMPARE(told, reported);
        QCOMPARE(model.selectedIndex(), selected);
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.data(model.index(row), CategoryScrollModel::SelectedRole).toBool(),
                     row == selected);
    }

    void categorySelectionFromCode_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QVariant>("argument");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("scrolled");
        QTest::newRow("select 2") << u"select"_s << QVariant(2) << 2 << true;
        QTest::newRow("select past the end") << u"select"_s << QVariant(4) << 0 << false;
        QTest::newRow("name, first of two") << u"name"_s << QVariant(u"热菜"_s) << 1 << true;
        QTest::newRow("name, no match") << u"name"_s << QVariant(u"甜品"_s) << 0 << false;
    }

    void categorySelectionFromCode()
    {
        QFETCH(QString, call);
        QFETCH(QVariant, argument);
        QFETCH(int, selected);
        QFETCH(bool, scrolled);
        CategoryScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.reloadData(kCategories);
        QSignalSpy chosen(&model, &CategoryScrollModel::itemDidSelected);
        QSignalSpy scroll(&model, &CategoryScrollModel::scrollRequested);
        if (call == u"select"_s)
            model.selectItemOf(argument.toInt());
        else
            QCOMPARE(model.scrollByName(argument.toString()), scrolled);
        QCOMPARE(model.selectedIndex(), selected);
        QCOMPARE(scroll.count(), scrolled ? 1 : 0);
        if (scrolled)
            QCOMPARE(scroll.at(0).at(0).toInt(), selected);
        QCOMPARE(chosen.count(), 0);
    }

    void tileTaps_data()
    {
        QTest::addColumn<QList<int>>("taps");
        QTest::addColumn<QStringList>("reported");
        QTest::addColumn<int>("selected");
        QTest::newRow("second tile") << QList<int>{0, 2}
                                     << QStringList{u"select 0"_s, u"last 0"_s, u"select 2"_s} << 2;
        QTest::newRow("same tile again")
            << QList<int>{1, 1} << QStringList{u"select 1"_s, u"last 1"_s, u"select 1"_s} << 1;
        QTest::newRow("outside the grid") << QList<int>{5, -1} << QStringList{} << -1;
        QTest::newRow("after one outside")
            << QList<int>{2, 7, 0} << QStringList{u"select 2"_s, u"last 2"_s, u"select 0"_s} << 0;
    }

    void tileTaps()
    {
        QFETCH(QList<int>, taps);
        QFETCH(QStringList, reported);
        QFETCH(int, selected);
        FoodInfoScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.reloadData(tiles(3));
        QStringList told;
        connect(&model, &FoodInfoScrollModel::lastSelectCell, this,
                [&told](int i) { told << u"last "_s + QString::number(i); });
        connect(&model, &FoodInfoScrollModel::selectCell, this,
                [&told](int i) { told << u"select "_s + QString::number(i); });
        for (int tap : taps)
            model.tap(tap);
        QCOMPARE(told, reported);
        QCOMPARE(model.selectedIndex(), selected);
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.data(model.index(row), FoodInfoScrollModel::SelectedRole).toBool(),
                     row == selected);
    }

    void tileReloadAndRedraw()
    {
        FoodInfoScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reloaded(&model, &FoodInfoScrollModel::reloaded);
        model.reloadData(tiles(4));
        model.tap(3);
        QCOMPARE(model.selectedIndex(), 3);

        // A reload forgets the tapped tile: the next tap reports no earlier one.
        model.reloadData(tiles(2));
        QCOMPARE(reloaded.count(), 2);
        QCOMPARE(model.selectedIndex(), -1);
        QSignalSpy last(&model, &FoodInfoScrollModel::lastSelectCell);
        model.tap(1);
        QCOMPARE(last.count(), 0);

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        const FoodTile busy{u"A01"_s, u"4人"_s, u"busy"_s};
        model.setTile(0, busy);
        model.setTile(0, busy);
        model.setTile(2, busy);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.data(model.index(0), FoodInfoScrollModel::TitleRole), QVariant(u"A01"_s));
        QCOMPARE(model.data(model.index(0), FoodInfoScrollModel::DetailRole), QVariant(u"4人"_s));
        QCOMPARE(model.data(model.index(0), FoodInfoScrollModel::TagRole), QVariant(u"busy"_s));
    }
};

QTEST_GUILESS_MAIN(TestModels)
#include "tst_models.moc"
