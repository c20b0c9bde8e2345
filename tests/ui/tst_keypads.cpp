// The keypad views over their models: every key drawn thumb-sized, taps reach the model and its
// notifications.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/LanguageManager.h"
#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

class TestKeypads : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<KeyboardBase> keyboard;
    QQuickItem *keypad = nullptr;
    std::unique_ptr<QObject> observer;
    QStringList posted;

    void build(const QString &view)
    {
        delete keypad;
        keypad = nullptr;
        if (view == u"NumberKeypad.qml"_s)
            keyboard = std::make_unique<NumberKeyboard>();
        else
            keyboard = std::make_unique<NumberAndLetterKeyboard>();
        keypad = UiTest::createItem(*engine, *window, view,
                                    {{u"keyboard"_s, QVariant::fromValue<QObject *>(keyboard.get())}});
        QVERIFY(keypad);
        QVERIFY(UiTest::waitForFrame(*window));
    }

    QQuickItem *key(const QString &name) { return UiTest::findItem(keypad, u"key_"_s + name); }

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
        delete keypad;
        keypad = nullptr;
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese);
        UI_VERIFY_NO_WARNINGS();
    }

    void everyKeyIsDrawnAndThumbSized_data()
    {
        QTest::addColumn<QString>("view");
        QTest::newRow("numeric") << u"NumberKeypad.qml"_s;
        QTest::newRow("alphanumeric") << u"LetterKeypad.qml"_s;
    }

    void everyKeyIsDrawnAndThumbSized()
    {
        QFETCH(QString, view);
        build(view);
        const QStringList keys = keyboard->keys();
        int drawn = 0;
        for (QQuickItem *item : keypad->childItems())
            drawn += item->objectName().startsWith(u"key_"_s) ? 1 : 0;
        QCOMPARE(drawn, keys.size());
        for (const QString &name : keys) {
            QQuickItem *item = key(name);
            QVERIFY2(item, qPrintable(name));
            QVERIFY2(item->width() >= 60 && item->height() >= 60, qPrintable(name));
        }
    }

    void tapsReachTheModel_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QStringList>("taps");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("notifications");
        const QString click = Notify::NumberKeyboardClick + u' ';
        QTest::newRow("digits and a dot")
            << u"NumberKeypad.qml"_s << QStringList{u"1"_s, u"2"_s, u"."_s, u"5"_s} << u"12.5"_s
            << QStringList{click + u"1"_s, click + u"12"_s, click + u"12."_s, click + u"12.5"_s};
        QTest::newRow("dot first and twice")
            << u"NumberKeypad.qml"_s << QStringList{u"."_s, u"0"_s, u"."_s, u"."_s} << u"0."_s
            << QStringList{click, click + u"0"_s, click + u"0."_s, click + u"0."_s};
        QTest::newRow("delete and clear")
            << u"NumberKeypad.qml"_s << QStringList{u"delete"_s, u"9"_s, u"8"_s, u"delete"_s, u"clear"_s}
            << QString() << QStringList{click, click + u"9"_s, click + u"98"_s, click + u"9"_s, click};
        QTest::newRow("ok and close")
            << u"NumberKeypad.qml"_s << QStringList{u"7"_s, u"ok"_s, u"close"_s} << u"7"_s
            << QStringList{click + u"7"_s, Notify::NumberKeyboardOkClick + u" 7"_s,
                           Notify::NumberKeyboardCoseClick};
        QTest::newRow("letters") << u"LetterKeypad.qml"_s << QStringList{u"H"_s, u"S"_s, u"1"_s, u"delete"_s}
                                 << u"HS"_s
                                 << QStringList{click + u"H"_s, click + u"HS"_s, click + u"HS1"_s,
                                                click + u"HS"_s};
    }

    void tapsReachTheModel()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, taps);
        QFETCH(QString, value);
        QFETCH(QStringList, notifications);
        build(view);
        for (const QString &name : taps)
            UiTest::tap(key(name));
        QCOMPARE(keyboard->getValue(), value);
        QCOMPARE(posted, notifications);
    }

    void captionsFollowTheLanguage()
    {
        build(u"NumberKeypad.qml"_s);
        QCOMPARE(caption(u"clear"_s), u"清空"_s);
        QCOMPARE(caption(u"ok"_s), u"确定"_s);
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish);
        QCOMPARE(caption(u"clear"_s), u"Clear"_s);
        QCOMPARE(caption(u"ok"_s), u"OK"_s);
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
};

DIANCAI_UI_TEST_MAIN(TestKeypads)
#include "tst_keypads.moc"
