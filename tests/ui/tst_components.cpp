// The component views over their models: keypads, the category strip and the tile grid.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/LanguageManager.h"
#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"
#include "ui/components/CategoryScrollModel.h"
#include "ui/components/FoodInfoScrollModel.h"

#include <QGuiApplication>
#include <QQmlComponent>
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

class TestComponents : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<KeyboardBase> keyboard;
    std::unique_ptr<QQuickItem> view;
    std::unique_ptr<QObject> observer;
    QStringList posted;

    QQuickItem *build(const QString &file, const QString &property, QObject *model, QSizeF size = {})
    {
        view.reset(UiTest::createItem(*engine, *window, file, {{property, QVariant::fromValue(model)}}));
        if (!view)
            return nullptr;
        if (!size.isEmpty())
            view->setSize(size);
        return UiTest::waitForFrame(*window) ? view.get() : nullptr;
    }

    QQuickItem *buildKeypad(const QString &file)
    {
        view.reset(); // before the model it shows
        if (file == u"NumberKeypad.qml"_s)
            keyboard = std::make_unique<NumberKeyboard>();
        else
            keyboard = std::make_unique<NumberAndLetterKeyboard>();
        return build(file, u"keyboard"_s, keyboard.get());
    }

    QQuickItem *delegate(const QString &name) { return UiTest::findItem(view.get(), name); }
    QQuickItem *key(const QString &name) { return delegate(u"key_"_s + name); }

    QString caption(const QString &name)
    {
        return UiTest::findItem(key(name), u"keyCaption"_s)->property("text").toString();
    }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        engine = UiTest::makeEngine();
        window = UiTest::makeWindow();
        QVERIFY(window);
    }

    void init()
    {
        posted.clear();
        observer = std::make_unique<QObject>();
        for (const QString &name :
             {Notify::NumberKeyboardClick, Notify::NumberKeyboardOkClick, Notify::NumberKeyboardCoseClick}) {
            NotificationCenter::defaultCenter().addObserver(
                observer.get(), name, [this](const Notification &n) {
                    posted << (n.object.isValid() ? n.name + u' ' + n.object.toString() : n.name);
                });
        }
    }

    void cleanup()
    {
        observer.reset();
        view.reset();
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese);
        UI_VERIFY_NO_WARNINGS();
    }

    void keypadTapsReachTheModel_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("taps");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("notifications");
        const QString click = Notify::NumberKeyboardClick + u' ', numbers = u"NumberKeypad.qml"_s;
        using L = QStringList;
        QTest::newRow("digits and a dot")
            << numbers << L{u"1"_s, u"2"_s, u"."_s, u"5"_s} << u"12.5"_s
            << L{click + u"1"_s, click + u"12"_s, click + u"12."_s, click + u"12.5"_s};
        QTest::newRow("dot first and twice") << numbers << L{u"."_s, u"0"_s, u"."_s, u"."_s} << u"0."_s
                                             << L{click, click + u"0"_s, click + u"0."_s, click + u"0."_s};
        QTest::newRow("delete and clear")
            << numbers << L{u"delete"_s, u"9"_s, u"8"_s, u"delete"_s, u"clear"_s} << QString()
            << L{click, click + u"9"_s, click + u"98"_s, click + u"9"_s, click};
        QTest::newRow("ok and close")
            << numbers << L{u"7"_s, u"ok"_s, u"close"_s} << u"7"_s
            << L{click + u"7"_s, Notify::NumberKeyboardOkClick + u" 7"_s, Notify::NumberKeyboardCoseClick};
        QTest::newRow("letters") << u"LetterKeypad.qml"_s << L{u"H"_s, u"S"_s, u"1"_s, u"delete"_s} << u"HS"_s
                                 << L{click + u"H"_s, click + u"HS"_s, click + u"HS1"_s, click + u"HS"_s};
    }

    void keypadTapsReachTheModel()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, taps);
        QFETCH(QString, value);
        QFETCH(QStringList, notifications);
        QVERIFY(buildKeypad(file));
        // Every key of the model is drawn, thumb-sized, and nothing else is a key.
        const QStringList keys = keyboard->keys();
        int drawn = 0;
        for (QQuickItem *item : view->childItems())
            drawn += item->objectName().startsWith(u"key_"_s) ? 1 : 0;
        QCOMPARE(drawn, keys.size());
        for (const QString &name : keys) {
            QQuickItem *item = key(name);
            QVERIFY2(item && item->width() >= 60 && item->height() >= 60, qPrintable(name));
        }

        for (const QString &name : taps)
            UiTest::tap(key(name));
        QCOMPARE(keyboard->getValue(), value);
        QCOMPARE(posted, notifications);
    }

    void keypadCaptionsFollowTheLanguage()
    {
        QVERIFY(buildKeypad(u"NumberKeypad.qml"_s));
        QCOMPARE((QStringList{caption(u"clear"_s), caption(u"ok"_s)}), (QStringList{u"清空"_s, u"确定"_s}));
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish);
        QCOMPARE((QStringList{caption(u"clear"_s), caption(u"ok"_s)}), (QStringList{u"Clear"_s, u"OK"_s}));
    }

    void closeKeyEndsTextEditingOnTheScreen()
    {
        QQmlComponent screen(engine.get());
        screen.setData("import QtQuick\nimport QtQuick.Controls\nimport Diancai.Ui\n"
                       "ScreenPage { controller: MenuViewController {}\n"
                       "  TextField { objectName: \"field\"; width: 300 } }\n",
                       QUrl(u"qrc:/screen-with-field.qml"_s));
        std::unique_ptr<QQuickItem> page(qobject_cast<QQuickItem *>(screen.create()));
        QVERIFY2(page, qPrintable(screen.errorString()));
        page->setParentItem(window->contentItem());
        page->setSize(QSizeF(1024, 768));
        QQuickItem *field = UiTest::findItem(page.get(), u"field"_s);
        field->forceActiveFocus();
        QVERIFY(field->hasActiveFocus());

        NumberKeyboard keys;
        keys.click(u"1"_s);
        QVERIFY(field->hasActiveFocus());
        keys.click(u"close"_s);
        QVERIFY(!field->hasActiveFocus());
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
        QCOMPARE(QList<QVariantList>(chosen), QList<QVariantList>{{2}});
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

DIANCAI_UI_TEST_MAIN(TestComponents)
#include "tst_components.moc"
