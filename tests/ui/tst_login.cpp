// The login bar and the login, logout and gift authorisation dialogs, without a window.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/FoodOrder.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/ConfigManager.h"
#include "settings/LoginState.h"
#include "storage/DBManager.h"
#include "toolkit/PopViewManager.h"
#include "ui/account/AuthViewController.h"
#include "ui/account/LoginBar.h"
#include "ui/account/LoginViewController.h"
#include "ui/account/LogoutViewController.h"
#include "ui/components/EditingFocus.h"

#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Field = AccountFormController::Field;

struct Sending {
    bool okKey;
    QString account, password;
    Field startField, focusAfter;
    QString notice;
};

// The staff service while it lives, recording the logins sent instead of asking a server.
struct SentLogin : Staff {
    QStringList calls;
    const Services previous = Services::installed();

    // The base is built before `previous`: it reads the installed catalogue itself.
    SentLogin() : Staff(*Services::installed().catalogue)
    {
        Services recording = previous;
        recording.staff = this;
        Services::install(recording);
    }
    ~SentLogin() override { Services::install(previous); }
    void logIn(const QString &user, const QString &password) override { calls << user + u'/' + password; }
};

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UiTest::startRecording(); }

    void cleanup()
    {
        QVERIFY(UiTest::closePopups());
        LoginState::setLoggedOut();
        ConfigManager::defaultManager().setIsCusMode(false);
        NoticeBoard::instance().clear();
        EditingFocus::instance().clear();
        DBManager::resetForTests();
        UI_VERIFY_NO_WARNINGS();
    }

    // In customer mode, logged out still logs in and logged in says why nothing opens. Out of it the bar
    // opens the login or the logout dialog in the window flow.
    void barOpensTheDialogForTheState()
    {
        ConfigManager::defaultManager().setIsCusMode(true);
        NoticeSpy shown;
        LoginBar bar;
        bar.showLoginView();
        QCOMPARE(UiTest::popupClasses(), QByteArrayList{"LoginViewController"});
        QVERIFY(UiTest::closePopups());
        QVERIFY(!LoginState::isLogin());

        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        bar.showLoginView();
        QCOMPARE(UiTest::popupClasses(), QByteArrayList());
        QTRY_COMPARE(shown.texts(), QStringList{u"当前是顾客模式，可在设置中切换"_s});
        QVERIFY(LoginState::isLogin());
    }

    // Typing into the fields: the window flow. Keys go nowhere once the keypad's close key ended editing.
    void closeKeyEndsEditing()
    {
        LoginViewController login;
        login.keyboard()->click(u"7"_s);
        NotificationCenter::defaultCenter().post(Notify::NumberKeyboardCoseClick);
        QCOMPARE(login.editingField(), AccountFormController::NoField);
        login.keyboard()->click(u"5"_s);
        QCOMPARE(login.account(), u"7"_s);
    }

    // With a field empty, the keypad's OK moves to it without a message (and to the password, or logs
    // in, in the window flow); the dialog's button refuses with a message. Nothing is sent.
    void sendingChecksTheFields_data()
    {
        QTest::addColumn<Sending>("row");
        const QString none, empty = u"用户名或密码不能为空"_s;
        const Field account = Field::AccountField, password = Field::PasswordField;
        QTest::newRow("OK, both empty") << Sending{true, none, none, password, account, none};
        QTest::newRow("button, account empty") << Sending{false, none, u"123"_s, account, account, empty};
        QTest::newRow("button, password empty") << Sending{false, u"001"_s, none, password, password, empty};
    }

    void sendingChecksTheFields()
    {
        QFETCH(Sending, row);
        const auto &[okKey, account, password, startField, focusAfter, notice] = row;
        SentLogin server;
        LoginViewController login;
        login.setAccount(account);
        login.setPassword(password);
        login.beginEditing(startField);
        NoticeSpy shown;

        if (okKey)
            NotificationCenter::defaultCenter().post(Notify::NumberKeyboardOkClick);
        else
            login.confirm();
        QCOMPARE(login.editingField(), focusAfter);
        QVERIFY(server.calls.isEmpty());
        QTRY_COMPARE(shown.texts(), notice.isEmpty() ? QStringList() : QStringList{notice});
        if (!notice.isEmpty())
            QCOMPARE(shown.kind(0), NoticeBoard::Error);
        QVERIFY(!NoticeBoard::instance().progressVisible());
        QVERIFY(!login.isDismissing());
    }

    void aDialogGoneWhileWaitingTakesItsProgressAlong()
    {
        SentLogin server;
        auto login = std::make_unique<LoginViewController>();
        login->setAccount(u"001"_s);
        login->setPassword(u"123"_s);
        login->confirm();
        QTRY_VERIFY(NoticeBoard::instance().progressVisible());
        login.reset();
        QTRY_VERIFY(!NoticeBoard::instance().progressVisible());
    }

    // Closing either dialog changes nothing: no login sent, the operator kept.
    void closingChangesNothing()
    {
        SentLogin server;
        auto *login = new LoginViewController;
        QVERIFY(PopViewManager::defaultManager().popController(login));
        login->setAccount(u"001"_s);
        login->setPassword(u"123"_s);
        login->close();
        QTRY_VERIFY(UiTest::openPopups().isEmpty());
        QVERIFY(server.calls.isEmpty());
        QVERIFY(!LoginState::isLogin());

        LoginState::setLoggedIn(u"004"_s, u"刘婷"_s);
        auto *logout = new LogoutViewController;
        QVERIFY(PopViewManager::defaultManager().popController(logout));
        logout->close();
        QTRY_VERIFY(UiTest::openPopups().isEmpty());
        QVERIFY(LoginState::isLogin());
    }

    // The shipped demo base data: 001 (123) and 004 (2468) have "Y" at position 20, 002 (456) has
    // "N" there, 003 (789) has too short a permission string.
    void authorisationRules_data()
    {
        columns<bool, QString, QString, QString>("giftMode", "account", "password", "message");
        QTest::newRow("authorised") << true << u"001"_s << u"123"_s << QString();
        QTest::newRow("only position 20") << true << u"004"_s << u"2468"_s << QString();
        QTest::newRow("wrong password") << true << u"001"_s << u"124"_s << u"用户名或密码错误"_s;
        QTest::newRow("wrong password before authority")
            << true << u"002"_s << u"000"_s << u"用户名或密码错误"_s;
        QTest::newRow("no gift authority") << true << u"002"_s << u"456"_s << u"没有权限"_s;
        QTest::newRow("permissions too short") << true << u"003"_s << u"789"_s << u"没有权限"_s;
        QTest::newRow("empty password") << true << u"001"_s << QString() << u"用户名或密码不能为空"_s;
        QTest::newRow("empty before gift mode")
            << false << QString() << u"123"_s << u"用户名或密码不能为空"_s;
        QTest::newRow("outside gift mode") << false << u"001"_s << u"123"_s << QString();
    }

    void authorisationRules()
    {
        const auto [giftMode, account, password, message] =
            row<bool, QString, QString, QString>("giftMode", "account", "password", "message");
        auto line = std::make_shared<FoodOrder>();
        auto *auth = new AuthViewController(u"授权"_s);
        auth->setFoodOrder(line);
        auth->setIdxPath(3);
        auth->setIsZengSongMode(giftMode);
        QVERIFY(PopViewManager::defaultManager().popController(auth));
        auth->setAccount(account);
        auth->setPassword(password);
        NoticeSpy shown;
        QVariantList rows;
        QObject observer;
        NotificationCenter::defaultCenter().addObserver(&observer, Notify::ZengSongAuthSuccess,
                                                        [&rows](const Notification &n) { rows << n.object; });

        auth->confirm();
        const bool authorised = giftMode && message.isEmpty();
        QCOMPARE(rows, authorised ? QVariantList{3} : QVariantList());
        QCOMPARE(line->authID, authorised ? account : QString());
        QCOMPARE(line->isZengSong(), authorised);
        QCOMPARE(auth->isDismissing(), authorised);
        if (authorised)
            QTRY_VERIFY(UiTest::openPopups().isEmpty());
        QCoreApplication::processEvents();
        QTRY_COMPARE(shown.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    }
};

DIANCAI_UI_TEST_MAIN(TestLogin)
#include "tst_login.moc"
