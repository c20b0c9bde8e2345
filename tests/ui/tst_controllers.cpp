// The screen base, the navigation stack and the number pop-up, all without a window.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/LanguageManager.h"
#include "ui/components/EditingFocus.h"
#include "ui/components/NumberInputViewController.h"
#include "ui/shell/MenuViewController.h"
#include "ui/shell/Navigator.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
class CountingScreen : public MenuViewController {
public:
    int languageRuns = 0;
    int editingEnds = 0;
    int loads = 0;

protected:
    void initLanguage() override { ++languageRuns; }
    void loadView() override { ++loads; }
    void keyboardCose() override
    {
        ++editingEnds;
        MenuViewController::keyboardCose();
    }
};
} // namespace

class TestControllers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UiTest::startRecording(); }

    void cleanup()
    {
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese);
        Navigator::instance().reset();
        EditingFocus::instance().clear();
        UI_VERIFY_NO_WARNINGS();
    }

    void screenBaseFollowsItsNotificationsWhileItLives()
    {
        auto &center = NotificationCenter::defaultCenter();
        const int languageObservers = center.observerCount(Notify::LanguageChanged);
        const int closeObservers = center.observerCount(Notify::NumberKeyboardCoseClick);
        auto screen = std::make_unique<CountingScreen>();
        QSignalSpy reloaded(screen.get(), &MenuViewController::languageReloaded);
        QSignalSpy endEditing(screen.get(), &MenuViewController::endEditingRequested);

        // Nothing before the screen is loaded.
        center.post(Notify::LanguageChanged);
        QCOMPARE(screen->languageRuns, 0);

        screen->viewDidLoad();
        screen->viewDidLoad();
        QCOMPARE(screen->languageRuns, 1);
        QCOMPARE(screen->loads, 1);
        QVERIFY(screen->isLoaded());
        QCOMPARE(center.observerCount(Notify::LanguageChanged), languageObservers + 1);

        center.post(Notify::LanguageChanged);
        QCOMPARE(screen->languageRuns, 2);
        QCOMPARE(reloaded.count(), 1);

        QObject editor;
        EditingFocus::instance().begin(&editor);
        center.post(Notify::NumberKeyboardCoseClick);
        QCOMPARE(screen->editingEnds, 1);
        QCOMPARE(endEditing.count(), 1);
        QVERIFY(!EditingFocus::instance().current());

        screen.reset();
        QCOMPARE(center.observerCount(Notify::LanguageChanged), languageObservers);
        QCOMPARE(center.observerCount(Notify::NumberKeyboardCoseClick), closeObservers);
    }

    void navigatorNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("screen") << u"PlaceholderScreen"_s << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("path") << u"../Main"_s << false;
        QTest::newRow("url") << u"file:///tmp/X"_s << false;
    }

    void navigatorNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        Navigator &navigator = Navigator::instance();
        QSignalSpy pushed(&navigator, &Navigator::pushRequested);
        QCOMPARE(navigator.push(name), taken);
        QCOMPARE(pushed.count(), taken ? 1 : 0);
        QCOMPARE(navigator.depth(), taken ? 2 : 1);
    }

    void navigatorKeepsItsRoot()
    {
        Navigator &navigator = Navigator::instance();
        QSignalSpy popped(&navigator, &Navigator::popRequested);
        QSignalSpy home(&navigator, &Navigator::popToRootRequested);
        navigator.pop();
        navigator.popToRoot();
        QCOMPARE(popped.count() + home.count(), 0); // the root stays
        navigator.push(u"PlaceholderScreen"_s);
        navigator.push(u"PlaceholderScreen"_s);
        navigator.pop();
        QCOMPARE(navigator.depth(), 2);
        navigator.popToRoot();
        QCOMPARE(navigator.screens(), QStringList{Navigator::kRootScreen});
        QCOMPARE(popped.count(), 1);
        QCOMPARE(home.count(), 1);
    }

    void numberInputCopiesOnlyWhileEditing()
    {
        NumberInputViewController popup(u"数量修改"_s, u"3"_s);
        QCOMPARE(popup.confirmText(), u"确定"_s);
        popup.keyboard()->click(u"7"_s);
        QCOMPARE(popup.text(), u"3"_s);

        popup.beginEditing();
        // The first key replaces the text shown.
        popup.keyboard()->click(u"7"_s);
        popup.keyboard()->click(u"."_s);
        popup.keyboard()->click(u"5"_s);
        QCOMPARE(popup.text(), u"7.5"_s);
        popup.keyboard()->click(u"delete"_s);
        QCOMPARE(popup.text(), u"7."_s);

        // The close key ends editing; later keys change nothing.
        popup.keyboard()->click(u"close"_s);
        QVERIFY(!popup.isEditing());
        popup.keyboard()->click(u"1"_s);
        QCOMPARE(popup.text(), u"7."_s);
    }

    void okConfirmsAndClosesOnce()
    {
        auto popup = std::make_unique<NumberInputViewController>(u"请输入用餐人数"_s, u"0"_s);
        QObject observer;
        QList<QString> posted;
        for (const QString &name : {Notify::PopManagerControllerConfirm, Notify::PopManagerControllerCancel,
                                    Notify::PopManagerControllerDismiss}) {
            NotificationCenter::defaultCenter().addObserver(&observer, name, [&](const Notification &n) {
                QCOMPARE(n.object.value<QObject *>(), popup.get());
                posted << n.name;
            });
        }
        popup->beginEditing();
        popup->keyboard()->click(u"6"_s);
        popup->keyboard()->click(u"ok"_s);
        popup->confirm();
        popup->cancel();
        QCOMPARE(posted,
                 (QList<QString>{Notify::PopManagerControllerConfirm, Notify::PopManagerControllerDismiss}));
        QCOMPARE(popup->text(), u"6"_s);
        QVERIFY(!popup->isEditing());
    }
};

DIANCAI_UI_TEST_MAIN(TestControllers)
#include "tst_controllers.moc"
