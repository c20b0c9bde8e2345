// The category strip and the tile grid drawn over their models: taps reach the model, the strip
// scrolls to what the model selects, tiles stand in their rows and columns, and the grid's
// scrollable height ends 10 points below the last tile.
#include "UiTestSupport.h"

#include "ui/components/CategoryScrollModel.h"
#include "ui/components/FoodInfoScrollModel.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QList<FoodTile> tiles(int count)
{
    QList<FoodTile> made;
    for (int i = 0; i < count; ++i)
        made.append({u"桌"_s + QString::number(i), QString(), QString()});
    return made;
}
} // namespace

class TestScrollViews : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<QQuickItem> view;

    QQuickItem *build(const QString &file, const QString &property, QObject *model, QSizeF size)
    {
        view.reset(UiTest::createItem(*engine, *window, file, {{property, QVariant::fromValue(model)}}));
        if (!view)
            return nullptr;
        view->setSize(size);
        return UiTest::waitForFrame(*window) ? view.get() : nullptr;
    }

    QQuickItem *delegate(const QString &name) { return UiTest::findItem(view.get(), name); }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        engine = UiTest::makeEngine();
        window = UiTest::makeWindow();
        QVERIFY(window);
    }

    void cleanup()
    {
        view.reset();
        UI_VERIFY_NO_WARNINGS();
    }

    void stripTapsAndScrolling()
    {
        CategoryScrollModel model;
        QStringList titles;
        for (int i = 0; i < 30; ++i)
            titles << u"类别"_s + QString::number(i);
        model.reloadData(titles);
        QVERIFY(build(u"CategoryScrollView.qml"_s, u"categories"_s, &model, QSizeF(600, 56)));
        QSignalSpy chosen(&model, &CategoryScrollModel::itemDidSelected);

        UiTest::tap(delegate(u"category_2"_s));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 2);
        QCOMPARE(model.selectedIndex(), 2);
        QTRY_VERIFY(delegate(u"category_2"_s)->property("selected").toBool());

        // Selecting from code brings a far item into view, without telling the owner.
        QVERIFY(model.scrollByName(u"类别27"_s));
        QTRY_VERIFY(delegate(u"category_27"_s));
        QQuickItem *far = delegate(u"category_27"_s);
        const qreal left = far->mapToItem(view.get(), QPointF(0, 0)).x();
        QVERIFY2(left >= 0 && left + far->width() <= view->width() + 0.5, qPrintable(QString::number(left)));
        QCOMPARE(chosen.count(), 1);
    }

    void tileGridLayout_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("tileSize");
        QTest::addColumn<int>("count");
        QTest::newRow("tastes, 3 to a row") << 3 << 105 << 7;
        QTest::newRow("quick tastes, 4 to a row") << 4 << 80 << 8;
        QTest::newRow("tables, 7 to a row") << 7 << 105 << 15;
    }

    void tileGridLayout()
    {
        QFETCH(int, columns);
        QFETCH(int, tileSize);
        QFETCH(int, count);
        FoodInfoScrollModel model;
        model.reloadData(tiles(count));
        QVERIFY(
            build(u"FoodInfoScrollView.qml"_s, u"tiles"_s, &model, QSizeF(columns * (tileSize + 20), 2000)));
        view->setProperty("columns", columns);
        view->setProperty("tileWidth", tileSize);
        view->setProperty("tileHeight", tileSize);
        QVERIFY(UiTest::waitForFrame(*window));

        const qreal cellWidth = view->property("cellWidth").toReal();
        const qreal cellHeight = view->property("cellHeight").toReal();
        QCOMPARE(cellHeight, qreal(tileSize + 10));
        for (int i = 0; i < count; ++i) {
            QQuickItem *cell = delegate(u"tile_"_s + QString::number(i));
            QVERIFY2(cell, qPrintable(QString::number(i)));
            const QPointF at = cell->mapToItem(view.get(), QPointF(0, 0));
            QCOMPARE(at.x(), (i % columns) * cellWidth);
            QCOMPARE(at.y(), (i / columns) * cellHeight);
        }
        const int rows = (count + columns - 1) / columns;
        // The last tile's bottom is rows * cellHeight; the scrollable height ends 10 below it.
        QCOMPARE(view->property("contentHeight").toReal(), rows * cellHeight + 10);
    }

    void tileTapsAndReload()
    {
        FoodInfoScrollModel model;
        model.reloadData(tiles(40));
        QVERIFY(build(u"FoodInfoScrollView.qml"_s, u"tiles"_s, &model, QSizeF(400, 300)));
        QStringList told;
        connect(&model, &FoodInfoScrollModel::lastSelectCell, this,
                [&told](int i) { told << u"last "_s + QString::number(i); });
        connect(&model, &FoodInfoScrollModel::selectCell, this,
                [&told](int i) { told << u"select "_s + QString::number(i); });
        UiTest::tap(delegate(u"tile_1"_s));
        UiTest::tap(delegate(u"tile_4"_s));
        QCOMPARE(told, (QStringList{u"select 1"_s, u"last 1"_s, u"select 4"_s}));

        view->setProperty("contentY", 600);
        QVERIFY(view->property("contentY").toReal() > 0);
        model.reloadData(tiles(12));
        QTRY_COMPARE(view->property("contentY").toReal(), 0.0);
    }
};

DIANCAI_UI_TEST_MAIN(TestScrollViews)
#include "tst_scrollviews.moc"
