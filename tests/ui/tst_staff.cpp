// The staff screen, the shared server exchange, sold-out page and password dialog, on the demo server.
#include "DevServerHarness.h"
#include "RecordingAudio.h"
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SupportLog.h"
#include "media/SoundManager.h"
#include "server/CommandMaker.h"
#include "server/ServerExchange.h"
#include "settings/ConfigManager.h"
#include "settings/LoginState.h"
#include "toolkit/PopViewManager.h"
#include "ui/components/EditingFocus.h"
#include "ui/shell/Navigator.h"
#include "ui/staff/ChangePasswordView.h"
#include "ui/staff/ChangePwdViewController.h"
#include "ui/staff/GqFoodListView.h"
#include "ui/staff/StaffViewController.h"

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
struct Exchange {
    QString fault;
    bool ownerGone;
    QString outcome, notice;
};
struct EntryCase {
    StaffViewController::Entry entry;
    bool customerMode, loggedIn;
    StaffViewController::Page page;
    bool loginDialog;
    QString notice;
};
struct PasswordCase {
    QString account, first, second, fault;
    int sent;
    bool closed;
    QString notice;
};

// Counts "kBgMusicStop" while it lives.
struct MusicStops : QObject {
    int count = 0;
    MusicStops()
    {
        NotificationCenter::defaultCenter().addObserver(this, Notify::BgMusicStop,
                                                        [this](const Notification &) { ++count; });
    }
};
} // namespace

class TestStaff : public QObject {
    Q_OBJECT
private:
    DevServerHarness server{DevServerHarness::Catalogue::Demo};
    QStringList log;
    std::unique_ptr<SoundManager> sound;

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        QVERIFY2(server.start(u"00001=0,00002=5"_s), qPrintable(server.lastError()));
    }

    void init()
    {
        log.clear();
        sound = std::make_unique<SoundManager>(std::make_unique<RecordingAudio>(&log));
        ConfigManager::defaultManager().setPort(QString::number(server.port()));
        QCOMPARE(server.controlPost(u"/__control/clear"_s), 200);
    }

    void cleanup()
    {
        QVERIFY(UiTest::closePopups());
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        sound.reset();
        LoginState::setLoggedOut();
        ConfigManager::defaultManager().setIsCusMode(false);
        ConfigManager::defaultManager().setPlayBgMusic(false);
        Navigator::instance().reset();
        NoticeBoard::instance().clear();
        EditingFocus::instance().clear();
        UI_VERIFY_NO_WARNINGS();
    }

    // One shared exchange: what reaches the screen, what is shown, and that the indicator goes.
    void screenExchange_data()
    {
        QTest::addColumn<Exchange>("row");
        const QString none;
        const auto row = [](const char *name, const Exchange &entry) { QTest::newRow(name) << entry; };
        row("unreadable", {u"notxml"_s, false, u"unreadable"_s, none});
        row("status without a message: the description",
            {u"status"_s, false, u"failed"_s, u"Error Domain=Qelvo Code=500"_s});
        row("screen gone", {none, true, none, none});
        row("screen gone before a failure", {u"status"_s, true, none, none});
    }

    void screenExchange()
    {
        QFETCH(Exchange, row);
        const auto &[fault, ownerGone, outcome, notice] = row;
        if (!fault.isEmpty())
            QVERIFY(server.injectFault(u"GetGqFoodList"_s, fault));
        NoticeSpy shown;
        auto owner = std::make_unique<QObject>();
        QString seen;
        QVERIFY(ServerExchange::send(
            owner.get(), CommandMaker::getGqFoodList(),
            [&seen](const ServerReply &reply) {
                seen = reply.readable ? u"code "_s + reply.code.value_or(u"-"_s) : u"unreadable"_s;
            },
            [&seen](const QString &) { seen = u"failed"_s; }));
        QTRY_VERIFY(NoticeBoard::instance().progressVisible());
        if (ownerGone)
            owner.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!NoticeBoard::instance().progressVisible(), 10000);
        QTest::qWait(50);
        QCOMPARE(seen, outcome);
        QCOMPARE(shown.lastText(), notice);
    }

    void duplicateExchangeTakesTheIndicatorDown()
    {
        QVERIFY(server.injectFault(u"GetGqFoodList"_s, u"delay&ms=400"_s));
        QObject owner;
        int replies = 0;
        QVERIFY(ServerExchange::send(&owner, CommandMaker::getGqFoodList(),
                                     [&replies](const ServerReply &) { ++replies; }));
        QVERIFY(!ServerExchange::send(&owner, CommandMaker::getGqFoodList(),
                                      [&replies](const ServerReply &) { replies += 10; }));
        QTRY_COMPARE(replies, 1);
        QTRY_VERIFY(!NoticeBoard::instance().progressVisible());
    }

    // Entries x (customer mode, logged in): notice, login dialog or page (update logged out: window flow).
    void staffMenu_data()
    {
        QTest::addColumn<EntryCase>("row");
        const QString cus = u"当前是顾客模式，可在设置中切换"_s, none;
        using S = StaffViewController;
        const auto row = [](const char *name, const EntryCase &entry) { QTest::newRow(name) << entry; };
        row("board, customer mode", {S::TableEntry, true, true, S::NoPage, false, cus});
        row("board, logged out", {S::TableEntry, false, false, S::NoPage, true, none});
        row("password, customer mode", {S::PasswordEntry, true, true, S::NoPage, false, cus});
        row("password, logged out", {S::PasswordEntry, false, false, S::PasswordPage, false, none});
        row("settings, customer mode", {S::SettingsEntry, true, false, S::SettingsPage, false, none});
        row("update, customer mode", {S::UpdateEntry, true, true, S::NoPage, false, cus});
    }

    void staffMenu()
    {
        QFETCH(EntryCase, row);
        const auto &[entry, customerMode, loggedIn, page, loginDialog, notice] = row;
        ConfigManager::defaultManager().setIsCusMode(customerMode);
        if (loggedIn)
            LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        StaffViewController staff;
        staff.setSoundManager(sound.get());
        staff.viewDidLoad();
        NoticeSpy shown;
        MusicStops stops;

        staff.selectEntry(entry);
        QCOMPARE(staff.currentPage(), page);
        QCOMPARE(UiTest::popupClasses(),
                 loginDialog ? QByteArrayList{"LoginViewController"} : QByteArrayList());
        QTRY_COMPARE(shown.lastText(), notice);
        // The board asks for the table states: the indicator goes with the answer.
        QTRY_VERIFY(!NoticeBoard::instance().progressVisible());
        // The music is switched off in the settings, so every entry stops it first.
        QCOMPARE(stops.count, 1);
    }

    // (The settings page kept between entries: the window's staff flow.)
    void musicFollowsTheSetting()
    {
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        StaffViewController staff;
        staff.setSoundManager(sound.get());
        staff.viewDidLoad();
        MusicStops stops;
        ConfigManager::defaultManager().setPlayBgMusic(true);
        staff.selectEntry(StaffViewController::SettingsEntry);
        staff.selectEntry(StaffViewController::PasswordEntry);
        QCOMPARE(stops.count, 0);

        ConfigManager::defaultManager().setPlayBgMusic(false);
        staff.selectEntry(StaffViewController::MenuEntry);
        QCOMPARE(stops.count, 1);
        QCOMPARE(staff.currentPage(), StaffViewController::NoPage);
        QCOMPARE(Navigator::instance().currentScreen(), u"MenuScreen"_s);
        staff.selectEntry(StaffViewController::HomeEntry);
        QCOMPARE(log, QStringList{u"play close"_s});
        QCOMPARE(Navigator::instance().depth(), 1);
    }

    void updateEndsWithItsOutcome()
    {
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        // The real check answers late, and its package is an error page: nothing is installed.
        QVERIFY(server.injectFault(u"GetUpFileName"_s, u"delay&ms=1000"_s));
        QVERIFY(server.injectFault(u"@package"_s, u"status"_s));
        NoticeSpy shown;
        {
            StaffViewController staff;
            staff.setSoundManager(sound.get());
            staff.viewDidLoad();
            staff.selectEntry(StaffViewController::UpdateEntry);
            QVERIFY(staff.isUpdating());
            NotificationCenter::defaultCenter().post(Notify::DownUpdateFileProgress, u"已下载：37%"_s);
            QTRY_COMPARE(NoticeBoard::instance().progressStatus(), u"已下载：37%"_s);
            NotificationCenter::defaultCenter().post(Notify::DownUpdateFileFailed, u"下载失败"_s);
            QTRY_COMPARE(shown.lastText(), u"下载失败"_s);
            QVERIFY(!NoticeBoard::instance().progressVisible());

            // Asked again while the real check is on its way: said at once, nobody waits for it.
            staff.selectEntry(StaffViewController::UpdateEntry);
            QCOMPARE(shown.lastText(), u"商品资料正在更新，请稍候"_s);
            QVERIFY(!NoticeBoard::instance().progressVisible());

            // The real check's own outcome; then one goes out again.
            QTRY_VERIFY_WITH_TIMEOUT(shown.lastText() != u"商品资料正在更新，请稍候"_s, 10000);
            staff.selectEntry(StaffViewController::UpdateEntry);
            QTRY_VERIFY(NoticeBoard::instance().progressVisible());
        }
        // The screen went before the outcome: it takes its indicator with it.
        QTRY_VERIFY(!NoticeBoard::instance().progressVisible());
    }

    void showLoginViewOpensTheLoginDialog()
    {
        StaffViewController staff;
        staff.viewDidLoad();
        ChangePasswordView page;
        page.changePassword();
        QTRY_COMPARE(UiTest::popupClasses(), QByteArrayList{"LoginViewController"});
    }

    void soldOutPageListsEveryStockDish()
    {
        GqFoodListView page;
        QAbstractItemModelTester tester(page.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        page.setup();
        QVERIFY(NoticeBoard::instance().progressVisible());
        QTRY_COMPARE(page.model()->rowCount(), 2);
        const auto cell = [&page](int row, int role) {
            return page.model()->data(page.model()->index(row), role).toString();
        };
        QCOMPARE((QStringList{cell(0, GqFoodListModel::FoodnoRole), cell(0, GqFoodListModel::LeftQtyRole),
                              cell(1, GqFoodListModel::FoodnoRole), cell(1, GqFoodListModel::LeftQtyRole)}),
                 (QStringList{u"00001"_s, u"0"_s, u"00002"_s, u"5"_s}));
        QVERIFY(!cell(1, GqFoodListModel::FoodNameRole).isEmpty());
        QVERIFY(!NoticeBoard::instance().progressVisible());

        // An unreadable reply leaves the list as it was and shows nothing.
        NoticeSpy shown;
        QVERIFY(server.injectFault(u"GetGqFoodList"_s, u"notxml"_s));
        page.setup();
        QTRY_VERIFY(!NoticeBoard::instance().progressVisible());
        QTest::qWait(50);
        QCOMPARE(page.model()->rowCount(), 2);
        QCOMPARE(shown.count(), 1); // the indicator itself
    }

    void passwordChange_data()
    {
        QTest::addColumn<PasswordCase>("row");
        const QString none, typed = u"888"_s;
        const auto row = [](const char *name, const PasswordCase &entry) { QTest::newRow(name) << entry; };
        row("empty", {u"001"_s, none, none, none, 0, false, u"密码不能为空"_s});
        row("different", {u"001"_s, u"111"_s, u"112"_s, none, 0, false, u"两次输入不一致"_s});
        row("accepted", {u"001"_s, typed, typed, none, 1, true, u"密码修改成功"_s});
        row("refused, 002 never logged in at the server",
            {u"002"_s, typed, typed, none, 1, false, u"操作员(002)未登录，请先登录"_s});
        row("unreadable", {u"001"_s, typed, typed, u"notxml"_s, 1, false, u"解析错误"_s});
    }

    void passwordChange()
    {
        QFETCH(PasswordCase, row);
        const auto &[account, first, second, fault, sent, closed, notice] = row;
        QCOMPARE(server.login(u"001"_s, u"123"_s).code, u"0"_s);
        LoginState::setLoggedIn(account, u"王喆"_s);
        if (!fault.isEmpty())
            QVERIFY(server.injectFault(u"ChangePassword"_s, fault));
        NoticeSpy shown;
        QTemporaryDir logHome;
        const QString logFolder = SupportLog::folderIn(logHome.path());
        SupportLog::start(logFolder);
        auto *dialog = new ChangePwdViewController;
        QVERIFY(PopViewManager::defaultManager().popController(dialog));
        QCOMPARE(dialog->infoLines(), (QStringList{u"工号："_s + account, u"名字：王喆"_s}));
        QVERIFY(dialog->masked());
        dialog->fields()->setText(0, first);
        dialog->fields()->setText(1, second);
        dialog->confirm();
        QTRY_COMPARE(shown.lastText(), notice);
        QVERIFY(!NoticeBoard::instance().progressVisible());
        SupportLog::stop();
        // The support log names the command and its outcome, never what was typed.
        const QStringList logged = SupportLog::lastLines(logFolder, 100);
        QCOMPARE(logged.filter(u"diancai.server: send ChangePassword"_s).size(), sent);
        for (QString line : logged) {
            line.remove(QRegularExpression(u"^\\S+ \\S+|\\d+ ms|size \\d+"_s));
            QVERIFY2((first.isEmpty() || !line.contains(first)) && !line.contains(u"assword>"_s),
                     qPrintable(line));
        }
        QCOMPARE(server.controlGet(u"/__control/commands?command=ChangePassword"_s)[u"commands"_s]
                     .toArray()
                     .size(),
                 sent);
        if (closed) {
            QTRY_VERIFY(UiTest::openPopups().isEmpty());
            QCOMPARE(server.login(u"001"_s, u"888"_s).code, u"0"_s);
            // Back to the password the other rows use.
            QCOMPARE(server.command(u"ChangePassword"_s, u"UserID=001&UserPassword=123"_s, u"001"_s).code,
                     u"0"_s);
            return;
        }
        QCOMPARE(UiTest::openPopups(), QList<PopRootViewController *>{dialog});
        QCOMPARE(dialog->fields()->text(0), first);
        // Closing forgets what was typed.
        dialog->close();
        QCOMPARE(dialog->fields()->texts(), (QStringList{QString(), QString()}));
    }
};

DIANCAI_UI_TEST_MAIN(TestStaff)
#include "tst_staff.moc"
