// The screen base, the home screen's controller, the navigation stack, the notice board and the
// number pop-up, all without a window.
#include "UiTestSupport.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "foundation/UserNotice.h"
#include "media/SoundManager.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"
#include "ui/components/EditingFocus.h"
#include "ui/components/NumberInputViewController.h"
#include "ui/home/HomeViewController.h"
#include "ui/shell/ImageStore.h"
#include "ui/shell/Navigator.h"
#include "ui/shell/NoticeBoard.h"

#include <QDir>
#include <QGuiApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

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

bool copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QFileInfo &entry : QDir(from).entryInfoList(QDir::Files))
        if (!QFile::copy(entry.filePath(), to + u'/' + entry.fileName()))
            return false;
    return true;
}

void useLanguage(const QString &code)
{
    LanguageManager::defaultManager().loadLanguage(code);
}
} // namespace

class TestControllers : public QObject {
    Q_OBJECT
private:
    static void installPackage(const QString &zipFileName)
    {
        SettingsStore::shared().setValue(Key::ZipFileName, zipFileName);
        DBManager::defaultManager().setup();
    }

    QString builtResources;

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        builtResources = AppPaths::resourcesDir();
    }

    void cleanup()
    {
        AppPaths::setResourcesDir(builtResources);
        useLanguage(LanguageManager::kChinese);
        SettingsStore::shared().remove(Key::ZipFileName);
        DBManager::resetForTests();
        Navigator::instance().reset();
        NoticeBoard::instance().clear();
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

    void homeCaptions_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("zh") << LanguageManager::kChinese
                            << QStringList{u"点菜"_s, u"图册"_s, u"视频"_s, u"服务入口"_s, u"背景音乐"_s};
        QTest::newRow("en") << LanguageManager::kEnglish
                            << QStringList{u"Order"_s, u"Gallery"_s, u"Videos"_s, u"Staff"_s,
                                           u"Background music"_s};
    }

    void homeCaptions()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, captions);
        HomeViewController home;
        home.viewDidLoad();
        QSignalSpy changed(&home, &HomeViewController::captionsChanged);
        useLanguage(language);
        QCOMPARE(changed.count(), language == LanguageManager::kChinese ? 0 : 1);
        QCOMPARE((QStringList{home.orderTitle(), home.galleryTitle(), home.videoTitle(), home.staffTitle(),
                              home.musicTitle()}),
                 captions);
    }

    void homeFollowsANewPackage()
    {
        {
            HomeViewController shipped;
            shipped.viewDidLoad();
            QCOMPARE(shipped.storeName(), u"福满楼酒家"_s);
            QCOMPARE(ImageStore::instance().image(HomeViewController::kBackgroundKey).size(),
                     ConfigManager::defaultManager().getMainImage().size());
        }
        // The base data was deleted: no store name.
        DBManager::resetForTests();
        installPackage(u"empty.first"_s);
        HomeViewController home;
        home.viewDidLoad();
        QCOMPARE(home.storeName(), QString());

        const QString unpacked = AppPaths::home() + u"/pkg20261201"_s;
        QVERIFY(copyFolder(AppPaths::resourcePath(u"update"_s), unpacked));
        SettingsStore::shared().setValue(Key::ZipFileName, u"pkg20261201.zip"_s);
        QSignalSpy title(&home, &HomeViewController::storeNameChanged);
        QSignalSpy picture(&home, &HomeViewController::backgroundChanged);
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QCOMPARE(home.storeName(), u"福满楼酒家"_s);
        QCOMPARE(title.count(), 1);
        QCOMPARE(picture.count(), 1);
        QCOMPARE(ImageStore::instance().image(HomeViewController::kBackgroundKey).size(),
                 QImage(unpacked + u"/MainBg.jpg"_s).size());
        QDir(unpacked).removeRecursively();
    }

    void homeBackgroundFallsBackToTheShippedPicture()
    {
        QTemporaryDir resources;
        AppPaths::setResourcesDir(resources.path());
        installPackage(u"empty.first"_s);
        HomeViewController home;
        home.viewDidLoad();
        // Neither picture: no picture at all, rather than a broken one.
        QVERIFY(home.background().isEmpty());

        QImage shipped(64, 48, QImage::Format_RGB32);
        shipped.fill(Qt::darkRed);
        QVERIFY(shipped.save(resources.filePath(u"hotel.jpg"_s)));
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QVERIFY(!home.background().isEmpty());
        QCOMPARE(ImageStore::instance().image(HomeViewController::kBackgroundKey).size(), QSize(64, 48));
    }

    void entrancesOpenTheirScreens_data()
    {
        QTest::addColumn<QString>("entrance");
        QTest::addColumn<QString>("screen");
        QTest::newRow("order") << u"btnOrderHandler"_s << u"MenuScreen"_s;
        QTest::newRow("gallery") << u"btnSlidePicsHandler"_s << u"GalleryScreen"_s;
        QTest::newRow("videos") << u"btnVideoHandler"_s << u"VideoScreen"_s;
        QTest::newRow("staff") << u"btnStaffEntranceHandler"_s << u"StaffScreen"_s;
    }

    void entrancesOpenTheirScreens()
    {
        QFETCH(QString, entrance);
        QFETCH(QString, screen);
        HomeViewController home;
        QSignalSpy pushed(&Navigator::instance(), &Navigator::pushRequested);
        QVERIFY(QMetaObject::invokeMethod(&home, entrance.toUtf8().constData()));
        QCOMPARE(pushed.count(), 1);
        QCOMPARE(pushed.at(0).at(0).toString(), screen);
        QVERIFY(pushed.at(0).at(1).toMap().isEmpty());
        QCOMPARE(Navigator::instance().screens(), (QStringList{u"HomeScreen"_s, screen}));
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

    void briefNoticesReplaceEachOther()
    {
        NoticeBoard &board = NoticeBoard::instance();
        QSignalSpy shown(&board, &NoticeBoard::shown);
        UserNotice::info(u"已到达最后"_s);
        UserNotice::error(u"网络超时"_s);
        QCOMPARE(board.toastText(), u"网络超时"_s);
        QCOMPARE(board.toastKind(), NoticeBoard::Error);
        QVERIFY(board.toastVisible());
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shown.at(0).at(0).value<NoticeBoard::Kind>(), NoticeBoard::Info);
        QCOMPARE(shown.at(0).at(1).toString(), u"已到达最后"_s);
        // It hides itself.
        QTRY_VERIFY_WITH_TIMEOUT(!board.toastVisible(), NoticeBoard::kErrorToastMs * 2);
    }

    void questionsWaitTheirTurn()
    {
        NoticeBoard &board = NoticeBoard::instance();
        QStringList answers;
        UserNotice::confirm(u"提示"_s, u"确定要删除吗？"_s, u"取消"_s, u"确定"_s,
                            [&answers](bool yes) { answers << (yes ? u"delete yes"_s : u"delete no"_s); });
        UserNotice::alert(u"发现新版本"_s, u"1.2"_s, u"确定"_s, [&answers] { answers << u"alert"_s; });
        QVERIFY(board.dialogVisible());
        QVERIFY(board.dialogHasCancel());
        QCOMPARE(board.dialogMessage(), u"确定要删除吗？"_s);
        QCOMPARE(board.waitingDialogs(), 1);

        board.answerDialog(false);
        QCOMPARE(answers, QStringList{u"delete no"_s});
        QCOMPARE(board.dialogTitle(), u"发现新版本"_s);
        QVERIFY(!board.dialogHasCancel());

        board.answerDialog(false);
        QCOMPARE(answers, (QStringList{u"delete no"_s, u"alert"_s}));
        QVERIFY(!board.dialogVisible());
        board.answerDialog(true);
        QCOMPARE(answers.size(), 2);
    }

    void anAnswerMayAskAgain()
    {
        NoticeBoard &board = NoticeBoard::instance();
        std::optional<bool> second;
        UserNotice::confirm({}, u"确定要清空所有已点品项吗？"_s, u"取消"_s, u"确认"_s, [&second](bool) {
            UserNotice::confirm({}, u"确定要删除吗？"_s, u"取消"_s, u"确定"_s,
                                [&second](bool yes) { second = yes; });
        });
        board.answerDialog(true);
        QVERIFY(board.dialogVisible());
        QCOMPARE(board.dialogMessage(), u"确定要删除吗？"_s);
        board.answerDialog(true);
        QCOMPARE(second, std::optional<bool>(true));
    }

    void noticesFromAWorkerArriveOnTheMainThread()
    {
        NoticeBoard &board = NoticeBoard::instance();
        QThread *seenOn = nullptr;
        connect(&board, &NoticeBoard::shown, this, [&seenOn] { seenOn = QThread::currentThread(); });
        std::unique_ptr<QThread> worker(QThread::create([] { UserNotice::error(u"网络连接错误"_s); }));
        worker->start();
        QVERIFY(worker->wait(5000));
        QTRY_COMPARE(board.toastText(), u"网络连接错误"_s);
        QCOMPARE(seenOn, thread());
        disconnect(&board, &NoticeBoard::shown, this, nullptr);
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

    void oneFieldEditsAtATime()
    {
        NumberInputViewController lower(u"数量修改"_s, u"1"_s);
        NumberInputViewController upper(u"价格修改"_s, u"2"_s);
        lower.beginEditing();
        upper.beginEditing();
        QVERIFY(!lower.isEditing());
        QVERIFY(upper.isEditing());
        // Both keypads post the same notification; only the field being edited copies.
        lower.keyboard()->click(u"9"_s);
        upper.keyboard()->click(u"4"_s);
        QCOMPARE(lower.text(), u"1"_s);
        QCOMPARE(upper.text(), u"4"_s);
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
