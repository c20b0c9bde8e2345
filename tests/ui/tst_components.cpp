// The toolkit under the screens: navigator, keypads, strip, tile grid, the close key on a screen.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"
#include "ui/components/CategoryScrollModel.h"
#include "ui/components/EditingFocus.h"
#include "ui/components/FoodInfoScrollModel.h"
#include "ui/shell/MenuViewController.h"
#include "ui/shell/Navigator.h"

#include <QAbstractItemModelTester>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {
QList<FoodTile> tiles(int count)
{
    QList<FoodTile> made;
    for (int i = 0; i < count; ++i)
        made.append({u"桌"_s + QString::number(i), QString(), QString()});
    return made;
}

// "tap 2", "reload 海鲜,凉菜": the step's verb and its argument.
std::pair<QString, QString> split(const QString &step)
{
    const qsizetype blank = step.indexOf(u' ');
    return blank < 0 ? std::pair(step, QString()) : std::pair(step.left(blank), step.mid(blank + 1));
}

} // namespace

class TestComponents : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<KeyboardBase> keyboard;
    std::unique_ptr<QQuickItem> view;

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
        Navigator::instance().reset();
        EditingFocus::instance().clear();
        UI_VERIFY_NO_WARNINGS();
    }

    // The root stays; what is not a plain screen name is refused (the rest: every window flow).
    void navigatorKeepsItsRootAndRefusesPaths()
    {
        Navigator &navigator = Navigator::instance();
        navigator.pop();
        navigator.popToRoot();
        for (const QString &name : {QString(), u"../Main"_s, u"file:///tmp/X"_s})
            QVERIFY2(!navigator.push(name), qPrintable(name));
        QCOMPARE(navigator.screens(), QStringList{Navigator::kRootScreen});
    }

    void keypadTapsReachTheModel_data()
    {
        columns<QString, QStringList, QString, QStringList>("file", "taps", "value", "notifications");
        const QString click = Notify::NumberKeyboardClick + u' ';
        using L = QStringList;
        // Each kind of key once (the sequences in detail: tst_keyboards).
        // clang-format off
        QTest::newRow("digits and editing keys") << u"NumberKeypad.qml"_s
            << L{u"."_s, u"1"_s, u"2"_s, u"."_s, u"."_s, u"5"_s, u"delete"_s, u"clear"_s, u"7"_s, u"ok"_s, u"close"_s}
            << u"7"_s << L{click, click + u"1"_s, click + u"12"_s, click + u"12."_s, click + u"12."_s,
                           click + u"12.5"_s, click + u"12."_s, click, click + u"7"_s,
                           Notify::NumberKeyboardOkClick + u" 7"_s, Notify::NumberKeyboardCoseClick};
        // clang-format on
        QTest::newRow("letters") << u"LetterKeypad.qml"_s << L{u"H"_s, u"S"_s, u"1"_s, u"delete"_s} << u"HS"_s
                                 << L{click + u"H"_s, click + u"HS"_s, click + u"HS1"_s, click + u"HS"_s};
    }

    void keypadTapsReachTheModel()
    {
        const auto [file, taps, value, notifications] =
            row<QString, QStringList, QString, QStringList>("file", "taps", "value", "notifications");
        QVERIFY(buildKeypad(file));
        // Every key of the model is drawn, thumb-sized, and nothing else is a key.
        const QStringList keys = keyboard->keys();
        QCOMPARE(
            std::ranges::count_if(view->childItems(),
                                  [](QQuickItem *item) { return item->objectName().startsWith(u"key_"_s); }),
            keys.size());
        for (const QString &name : keys) {
            QQuickItem *item = key(name);
            QVERIFY2(item && item->width() >= 60 && item->height() >= 60, qPrintable(name));
        }

        QStringList posted;
        QObject observer;
        for (const QString &name :
             {Notify::NumberKeyboardClick, Notify::NumberKeyboardOkClick, Notify::NumberKeyboardCoseClick}) {
            NotificationCenter::defaultCenter().addObserver(
                &observer, name, [&posted](const Notification &n) {
                    posted << (n.object.isValid() ? n.name + u' ' + n.object.toString() : n.name);
                });
        }
        for (const QString &name : taps)
            UiTest::tap(key(name));
        QCOMPARE(keyboard->getValue(), value);
        QCOMPARE(posted, notifications);
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
        // Selecting from code shows a far item without telling the owner (taps: the window flows).
        QVERIFY(model.scrollByName(u"类别27"_s));
        QTRY_VERIFY(delegate(u"category_27"_s));
        QQuickItem *far = delegate(u"category_27"_s);
        const qreal left = far->mapToItem(view.get(), QPointF(0, 0)).x();
        QVERIFY2(left >= 0 && left + far->width() <= view->width() + 0.5, qPrintable(QString::number(left)));
        QCOMPARE(chosen.count(), 0);
    }

    // Taps on tiles reach the model in the window flow (the quick taste setter).
    void reloadScrollsBackToTheTop()
    {
        FoodInfoScrollModel model;
        model.reloadData(tiles(40));
        QVERIFY(build(u"FoodInfoScrollView.qml"_s, u"tiles"_s, &model, QSizeF(400, 300)));
        view->setProperty("contentY", 600);
        QVERIFY(view->property("contentY").toReal() > 0);
        model.reloadData(tiles(12));
        QTRY_COMPARE(view->property("contentY").toReal(), 0.0);
    }

    // On the strip 推荐, 热菜, 凉菜, 热菜 with the first selected: "chosen" is the owner told of a
    // tap, "scroll" the view asked to bring an item into view.
    void categoryStrip_data()
    {
        columns<QStringList, QStringList, int>("steps", "told", "selected");
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
        const auto [steps, told, selected] = row<QStringList, QStringList, int>("steps", "told", "selected");
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
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.data(model.index(row), CategoryScrollModel::SelectedRole).toBool(),
                     row == selected);
    }

    // On a grid of three tiles: "select" and "last" (the tile tapped before) as the owner hears them.
    void tileGrid_data()
    {
        columns<QStringList, QStringList, int>("steps", "told", "selected");
        QTest::newRow("same tile again") << QStringList{u"tap 1"_s, u"tap 1"_s}
                                         << QStringList{u"select 1"_s, u"last 1"_s, u"select 1"_s} << 1;
        QTest::newRow("after one outside") << QStringList{u"tap 2"_s, u"tap 7"_s, u"tap 0"_s}
                                           << QStringList{u"select 2"_s, u"last 2"_s, u"select 0"_s} << 0;
        QTest::newRow("a reload forgets the tapped tile")
            << QStringList{u"tap 2"_s, u"reload 2"_s, u"tap 1"_s}
            << QStringList{u"select 2"_s, u"reloaded"_s, u"select 1"_s} << 1;
    }

    void tileGrid()
    {
        const auto [steps, told, selected] = row<QStringList, QStringList, int>("steps", "told", "selected");
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
};

DIANCAI_UI_TEST_MAIN(TestComponents)
#include "tst_components.moc"
