// The category strip's and tile grid's models under QAbstractItemModelTester.
#include "ui/components/CategoryScrollModel.h"
#include "ui/components/FoodInfoScrollModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QList<FoodTile> tiles(int count)
{
    QList<FoodTile> made;
    for (int i = 0; i < count; ++i)
        made.append({u"做法"_s + QString::number(i), QString(), QString()});
    return made;
}

// "tap 2", "reload 海鲜,凉菜": the step's verb and its argument.
std::pair<QString, QString> split(const QString &step)
{
    const qsizetype blank = step.indexOf(u' ');
    return blank < 0 ? std::pair(step, QString()) : std::pair(step.left(blank), step.mid(blank + 1));
}
} // namespace

class TestModels : public QObject {
    Q_OBJECT
private slots:
    // On the strip 推荐, 热菜, 凉菜, 热菜 with the first selected: "chosen" is the owner told of a
    // tap, "scroll" the view asked to bring an item into view.
    void categoryStrip_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("selected");
        QTest::newRow("tap another") << QStringList{u"tap 2"_s} << QStringList{u"chosen 2"_s} << 2;
        QTest::newRow("tap the selected") << QStringList{u"tap 0"_s} << QStringList() << 0;
        QTest::newRow("tap twice") << QStringList{u"tap 1"_s, u"tap 1"_s} << QStringList{u"chosen 1"_s} << 1;
        QTest::newRow("tap outside") << QStringList{u"tap 4"_s, u"tap -1"_s} << QStringList() << 0;
        QTest::newRow("select 2") << QStringList{u"select 2"_s} << QStringList{u"scroll 2"_s} << 2;
        QTest::newRow("select past the end") << QStringList{u"select 4"_s} << QStringList() << 0;
        QTest::newRow("name, first of two") << QStringList{u"name 热菜"_s} << QStringList{u"scroll 1"_s} << 1;
        QTest::newRow("name, no match") << QStringList{u"name 甜品"_s} << QStringList() << 0;
        QTest::newRow("reload selects the first and shows it")
            << QStringList{u"select 2"_s, u"reload 海鲜,凉菜"_s}
            << (QStringList{u"scroll 2"_s, u"scroll 0"_s}) << 0;
        QTest::newRow("reload to nothing") << QStringList{u"reload"_s} << QStringList() << -1;
    }

    void categoryStrip()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, told);
        QFETCH(int, selected);
        CategoryScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.reloadData({u"推荐"_s, u"热菜"_s, u"凉菜"_s, u"热菜"_s});
        QStringList heard;
        connect(&model, &CategoryScrollModel::itemDidSelected, this,
                [&heard](int i) { heard << u"chosen "_s + QString::number(i); });
        connect(&model, &CategoryScrollModel::scrollRequested, this,
                [&heard](int i) { heard << u"scroll "_s + QString::number(i); });
        for (const QString &step : steps) {
            const auto [verb, argument] = split(step);
            if (verb == u"tap"_s)
                model.tap(argument.toInt());
            else if (verb == u"select"_s)
                model.selectItemOf(argument.toInt());
            else if (verb == u"reload"_s)
                model.reloadData(argument.isEmpty() ? QStringList() : argument.split(u','));
            else { // by name: the answer says whether it asked for a scroll
                const qsizetype before = heard.size();
                const bool asked = model.scrollByName(argument);
                QCOMPARE(asked, heard.size() > before);
            }
        }
        QCOMPARE(heard, told);
        QCOMPARE(model.selectedIndex(), selected);
        QCOMPARE(model.selecteItemTitle(), model.titles().value(selected));
        for (int row = 0; row < model.rowCount(); ++row) {
            QCOMPARE(model.data(model.index(row), CategoryScrollModel::SelectedRole).toBool(),
                     row == selected);
            QCOMPARE(model.data(model.index(row), CategoryScrollModel::TitleRole).toString(),
                     model.titles().at(row));
        }
    }

    // On a grid of three tiles: "select" and "last" (the tile tapped before) as the owner hears them.
    void tileGrid_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("selected");
        QTest::newRow("second tile") << QStringList{u"tap 0"_s, u"tap 2"_s}
                                     << QStringList{u"select 0"_s, u"last 0"_s, u"select 2"_s} << 2;
        QTest::newRow("same tile again") << QStringList{u"tap 1"_s, u"tap 1"_s}
                                         << QStringList{u"select 1"_s, u"last 1"_s, u"select 1"_s} << 1;
        QTest::newRow("outside the grid") << QStringList{u"tap 5"_s, u"tap -1"_s} << QStringList() << -1;
        QTest::newRow("after one outside") << QStringList{u"tap 2"_s, u"tap 7"_s, u"tap 0"_s}
                                           << QStringList{u"select 2"_s, u"last 2"_s, u"select 0"_s} << 0;
        QTest::newRow("a reload forgets the tapped tile")
            << QStringList{u"tap 2"_s, u"reload 2"_s, u"tap 1"_s}
            << QStringList{u"select 2"_s, u"reloaded"_s, u"select 1"_s} << 1;
        QTest::newRow("reload") << QStringList{u"tap 1"_s, u"reload 4"_s}
                                << QStringList{u"select 1"_s, u"reloaded"_s} << -1;
    }

    void tileGrid()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, told);
        QFETCH(int, selected);
        FoodInfoScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.reloadData(tiles(3));
        QStringList heard;
        connect(&model, &FoodInfoScrollModel::lastSelectCell, this,
                [&heard](int i) { heard << u"last "_s + QString::number(i); });
        connect(&model, &FoodInfoScrollModel::selectCell, this,
                [&heard](int i) { heard << u"select "_s + QString::number(i); });
        connect(&model, &FoodInfoScrollModel::reloaded, this, [&heard] { heard << u"reloaded"_s; });
        for (const QString &step : steps) {
            const auto [verb, argument] = split(step);
            if (verb == u"tap"_s)
                model.tap(argument.toInt());
            else
                model.reloadData(tiles(argument.toInt()));
        }
        QCOMPARE(heard, told);
        QCOMPARE(model.selectedIndex(), selected);
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.data(model.index(row), FoodInfoScrollModel::SelectedRole).toBool(),
                     row == selected);
    }

    // A changed tile is redrawn once; the same tile again, or a tile past the end, changes nothing.
    void tileRedraw()
    {
        FoodInfoScrollModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.reloadData(tiles(2));
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
