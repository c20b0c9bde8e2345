#include "LoopbackServer.h"
#include "NotificationLog.h"
#include "RecordingNotices.h"
#include "ServerTestHome.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "server/LoginManager.h"
#include "server/SupportChecker.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QTest>
#include <QUrl>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {
const QByteArray kDecl = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>");
const QStringList kLoginNotifications = {Notify::NotificationLoginOk, Notify::NotificationLoginFailed,
                                         Notify::NotificationLogout};

// A base-data file whose store parameters hold `stamp` as "BaseDataVer" (none when absent).
bool writeBaseData(const QString &path, const std::optional<QString> &stamp)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    QByteArray sql = "create table StoreInfo(pname text, pvalue text, remark text);"
                     "insert into StoreInfo values('StoreName', 'x', '');";
    if (stamp)
        sql += "insert into StoreInfo values('BaseDataVer', '" + stamp->toUtf8() + "', '');";
    const bool ok = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

struct LoginCase {
    QByteArray reply;
    int httpStatus;
    QString notification;
    bool loggedIn = false;
    bool english = false;
};
using Text = std::optional<QString>;
} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private:
    AnsweringServer server;
    std::unique_ptr<ServerTestHome> home;
    std::shared_ptr<RecordingNotices> notices;

private slots:
    void initTestCase() { QVERIFY(server.start()); }

    void init()
    {
        home = std::make_unique<ServerTestHome>();
        ServerTestHome::pointAt(server.port());
        notices = std::make_shared<RecordingNotices>();
        UserNotice::setSink(notices);
        server.reset();
    }

    void cleanup()
    {
        ServerRequest::sharedQueue().waitForDone();
        QCoreApplication::processEvents();
        UserNotice::setSink(nullptr);
        DBManager::resetForTests();
        home.reset();
        LanguageManager::defaultManager().reset();
    }

    void login_data()
    {
        QTest::addColumn<LoginCase>("c");
        const QString failed = u"kNotificationLoginFailed|"_s;
        QTest::newRow("accepted without a message")
            << LoginCase{"<R><ReturnCode>0</ReturnCode></R>", 200, u"kNotificationLoginOk|"_s, true};
        QTest::newRow("refused") << LoginCase{
            kDecl +
                "<R><ReturnCode>1</ReturnCode><ReturnMsg>\xC3\xDC\xC2\xEB\xB4\xED\xCE\xF3</ReturnMsg></R>",
            200, failed + u"密码错误"_s};
        QTest::newRow("no return code") << LoginCase{"<R><ReturnMsg>m</ReturnMsg></R>", 200, failed + u"m"_s};
        QTest::newRow("unreadable") << LoginCase{"<html>", 200, failed + u"登录失败"_s};
        QTest::newRow("request failed") << LoginCase{{}, 404, failed + u"Error Domain=Qelvo Code=404"_s};
        QTest::newRow("unreadable, in English")
            << LoginCase{"not xml", 200, failed + u"Login failed"_s, false, true};
    }
    void login()
    {
        QFETCH(LoginCase, c);
        const auto [reply, httpStatus, notification, loggedIn, english] = c;
        if (english)
            LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, false);
        server.answer(reply, httpStatus);
        NotificationLog log(kLoginNotifications);

        LoginManager::defaultManager().loginWithUserId(u"007"_s, u"p&w"_s);
        QTRY_COMPARE(log.entries.size(), 1);
        QTest::qWait(50);
        QCOMPARE(log.entries, QStringList{notification});
        QVERIFY(!log.offMainThread);
        QCOMPARE(LoginManager::isLogin(), loggedIn);
        QCOMPARE(LoginManager::accountId(), loggedIn ? u"007"_s : QString());
        QCOMPARE(LoginManager::accountName(), QString());

        const std::vector<std::string> bodies = server.bodies();
        QCOMPARE(bodies.size(), size_t(1));
        QVERIFY(QUrl::fromPercentEncoding(QByteArray::fromStdString(bodies[0]).mid(8))
                    .contains(QStringLiteral(
                        "<Command>LogIn</Command><UserID>007</UserID><UserPassword>p&amp;w</UserPassword>")));
    }

    // A double tap sends one login, whose notification answers both taps; a login made as soon as
    // that notification arrives (a retry) goes out again and is answered too.
    void repeatedLoginIsAnswered()
    {
        server.answer("<R><ReturnCode>1</ReturnCode><ReturnMsg>no</ReturnMsg></R>");
        server.delayMs = 300;
        NotificationLog log(kLoginNotifications);
        QObject retry;
        int retries = 0;
        NotificationCenter::defaultCenter().addObserver(
            &retry, Notify::NotificationLoginFailed, [&retries](const Notification &) {
                if (retries++ == 0)
                    LoginManager::defaultManager().loginWithUserId(u"5"_s, u"6"_s);
            });
        LoginManager::defaultManager().loginWithUserId(u"5"_s, u"6"_s);
        LoginManager::defaultManager().loginWithUserId(u"5"_s, u"6"_s);
        QTRY_COMPARE(log.entries.size(), 2);
        QTest::qWait(400);
        QCOMPARE(log.entries, QStringList(2, u"kNotificationLoginFailed|no"_s));
        QCOMPARE(server.bodies().size(), size_t(2));
    }

    void logoutKeepsTheLastOperator()
    {
        server.answer("<R><ReturnCode>0</ReturnCode><ReturnMsg>(Wang)</ReturnMsg></R>");
        NotificationLog log(kLoginNotifications);
        LoginManager::defaultManager().loginWithUserId(u"12"_s, u"x"_s);
        QTRY_COMPARE(log.entries.size(), 1);
        QCOMPARE(LoginManager::loginTitle(), u"Wang(12)"_s);

        LoginManager::defaultManager().logout();
        QCOMPARE(log.entries.last(), u"kNotificationLogout|"_s);
        QVERIFY(!LoginManager::isLogin() && !SettingsStore::shared().value(Key::IsLogin).isValid());
        QCOMPARE(LoginManager::accountId() + u'|' + LoginManager::accountName() + u'|' +
                     SettingsStore::shared().string(Key::AccountId).value_or(u"(absent)"_s),
                 u"12|Wang|12"_s);
    }

    void operatorName_data()
    {
        QTest::addColumn<Text>("message");
        QTest::addColumn<QString>("name");
        QTest::newRow("name") << Text(u"hi(Ann)!"_s) << u"Ann"_s;
        QTest::newRow("first of two") << Text(u"hi(Li)(x)"_s) << u"Li"_s;
        QTest::newRow("no brackets") << Text(u"welcome"_s) << QString();
        QTest::newRow("close before open") << Text(u")x(y)"_s) << QString();
        QTest::newRow("open without close") << Text(u"(Ann"_s) << QString();
        QTest::newRow("nested opens") << Text(u"a(b(c)d"_s) << u"b(c"_s;
        QTest::newRow("empty brackets") << Text(u"()"_s) << QString();
        QTest::newRow("absent") << Text() << QString();
    }
    void operatorName()
    {
        QFETCH(Text, message);
        QFETCH(QString, name);
        QCOMPARE(LoginManager::operatorName(message), name);
    }

    // Without a required version: whether gifts are supported (stamp after 20150411).
    void serverVersion_data()
    {
        QTest::addColumn<Text>("stamp");
        QTest::addColumn<Text>("required");
        QTest::addColumn<bool>("outdated");
        QTest::addColumn<QStringList>("shown");
        const QStringList tooOld{u"alert|提示|席维通服务程序版本过低，请先升级。|确定"_s};
        const QStringList notice{u"alert|提示|席维通服务程序版本过低，请先升级。（V.20160102）|确定"_s};
        QTest::newRow("gifts: 20150411 refuses") << Text(u"20150411"_s) << Text() << true << tooOld;
        QTest::newRow("gifts: 20150412 allows") << Text(u"20150412"_s) << Text() << false << QStringList();
        QTest::newRow("gifts: no stamp") << Text() << Text() << true << tooOld;
        const Text stamp = u"20160101"_s;
        QTest::newRow("nothing required") << stamp << Text(QString()) << true << QStringList();
        QTest::newRow("equal") << stamp << Text(u"20160101"_s) << false << QStringList();
        QTest::newRow("newer server") << stamp << Text(u"20151231"_s) << false << QStringList();
        QTest::newRow("older server") << stamp << Text(u"20160102"_s) << true << notice;
        QTest::newRow("no stamp") << Text() << Text(u"20160102"_s) << true << notice;
    }
    void serverVersion()
    {
        QFETCH(Text, stamp);
        QFETCH(Text, required);
        QFETCH(bool, outdated);
        QFETCH(QStringList, shown);
        const QString path = home->path() + u"/PadBaseData.db"_s;
        QVERIFY(writeBaseData(path, stamp));
        DBManager::defaultManager().setupDBPath(path);

        SupportChecker &checker = SupportChecker::sharedChecker();
        QCOMPARE(required ? checker.checkShoudUpdaterSvrDataVer(*required)
                          : !checker.checkIsSupportZengSong(),
                 outdated);
        // The notice comes after the answer, from the event loop.
        QVERIFY(notices->shown.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(notices->shown, shown);
    }

    void noticeFollowsTheLanguage()
    {
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, false);
        SupportChecker::sharedChecker().updateDataVer(u"9"_s);
        QCoreApplication::processEvents();
        QCOMPARE(notices->shown,
                 QStringList{
                     QStringLiteral("alert|Notice|The Xiweitong server program is too old. Please upgrade it "
                                    "first. (V.9)|OK")});
    }

    void stampValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("date") << u"20150412"_s << qint64(20150412);
        QTest::newRow("blanks and trailing text") << u" 20150412abc"_s << qint64(20150412);
        QTest::newRow("sign") << u"-3"_s << qint64(-3);
        QTest::newRow("no digits") << u"abc"_s << qint64(0);
        QTest::newRow("empty") << QString() << qint64(0);
    }
    void stampValue()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(SupportChecker::stampValue(text), value);
    }
};

QTEST_GUILESS_MAIN(TestLogin)
#include "tst_server_login.moc"
