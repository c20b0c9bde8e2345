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
} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private:
    LoopbackServer server;
    std::mutex mutex;
    int status = 200;
    QByteArray answer;
    std::vector<std::string> bodies;
    std::unique_ptr<ServerTestHome> home;
    std::shared_ptr<RecordingNotices> notices;

    void answerWith(const QByteArray &body, int httpStatus = 200)
    {
        std::lock_guard lock(mutex);
        answer = body;
        status = httpStatus;
    }

private slots:
    void initTestCase()
    {
        server.http().Post("/", [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard lock(mutex);
            bodies.push_back(req.body);
            res.status = status;
            res.set_content(LoopbackServer::bytes(answer), "text/xml");
        });
        QVERIFY(server.start());
    }

    void init()
    {
        home = std::make_unique<ServerTestHome>();
        ServerTestHome::pointAt(server.port());
        notices = std::make_shared<RecordingNotices>();
        UserNotice::setSink(notices);
        std::lock_guard lock(mutex);
        bodies.clear();
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
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<QString>("notification");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<QString>("storedName");
        const QByteArray welcome = "\xBB\xB6\xD3\xAD(\xD5\xC5\x86\xB4)\xB9\xE2\xC1\xD9"; // 欢迎(张喆)光临
        QTest::newRow("accepted, name outside gb2312")
            << QByteArray(kDecl + "<R><ReturnCode>0</ReturnCode><ReturnMsg>" + welcome + "</ReturnMsg></R>")
            << 200 << QStringLiteral("kNotificationLoginOk|欢迎(张喆)光临") << true << QStringLiteral("张喆");
        QTest::newRow("accepted, two bracketed parts")
            << QByteArray("<R><ReturnCode>0</ReturnCode><ReturnMsg>hi(Li)(x)</ReturnMsg></R>") << 200
            << QStringLiteral("kNotificationLoginOk|hi(Li)(x)") << true << QStringLiteral("Li");
        QTest::newRow("accepted without a bracketed name")
            << QByteArray("<R><ReturnCode>0</ReturnCode><ReturnMsg>welcome</ReturnMsg></R>") << 200
            << QStringLiteral("kNotificationLoginOk|welcome") << true << QString();
        QTest::newRow("accepted without a message")
            << QByteArray("<R><ReturnCode>0</ReturnCode></R>") << 200
            << QStringLiteral("kNotificationLoginOk|") << true << QString();
        QTest::newRow("refused")
            << QByteArray(
                   kDecl +
                   "<R><ReturnCode>1</ReturnCode><ReturnMsg>\xC3\xDC\xC2\xEB\xB4\xED\xCE\xF3</ReturnMsg></R>")
            << 200 << QStringLiteral("kNotificationLoginFailed|密码错误") << false << QString();
        QTest::newRow("no return code") << QByteArray("<R><ReturnMsg>m</ReturnMsg></R>") << 200
                                        << QStringLiteral("kNotificationLoginFailed|m") << false << QString();
        QTest::newRow("unreadable") << QByteArray("<html>") << 200
                                    << QStringLiteral("kNotificationLoginFailed|登录失败") << false
                                    << QString();
        QTest::newRow("request failed")
            << QByteArray() << 404 << QStringLiteral("kNotificationLoginFailed|Error Domain=Qelvo Code=404")
            << false << QString();
    }
    void login()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, httpStatus);
        QFETCH(QString, notification);
        QFETCH(bool, loggedIn);
        QFETCH(QString, storedName);
        answerWith(reply, httpStatus);
        NotificationLog log(kLoginNotifications);

        LoginManager::defaultManager().loginWithUserId(QStringLiteral("007"), QStringLiteral("p&w"));
        QTRY_COMPARE(log.entries.size(), 1);
        QTest::qWait(50);
        QCOMPARE(log.entries, QStringList{notification});
        QVERIFY(!log.offMainThread);
        QCOMPARE(LoginManager::isLogin(), loggedIn);
        QCOMPARE(LoginManager::accountId(), loggedIn ? QStringLiteral("007") : QString());
        QCOMPARE(LoginManager::accountName(), storedName);

        std::lock_guard lock(mutex);
        QCOMPARE(bodies.size(), size_t(1));
        const QString sent = QUrl::fromPercentEncoding(QByteArray::fromStdString(bodies[0]).mid(8));
        QVERIFY(sent.contains(QStringLiteral(
            "<Command>LogIn</Command><UserID>007</UserID><UserPassword>p&amp;w</UserPassword>")));
    }

    void unreadableLoginFollowsTheLanguage()
    {
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, false);
        answerWith("not xml");
        NotificationLog log(kLoginNotifications);
        LoginManager::defaultManager().loginWithUserId(QStringLiteral("1"), QStringLiteral("2"));
        QTRY_COMPARE(log.entries, QStringList{QStringLiteral("kNotificationLoginFailed|Login failed")});
    }

    void logoutKeepsTheLastOperator()
    {
        answerWith("<R><ReturnCode>0</ReturnCode><ReturnMsg>(Wang)</ReturnMsg></R>");
        NotificationLog log(kLoginNotifications);
        LoginManager::defaultManager().loginWithUserId(QStringLiteral("12"), QStringLiteral("x"));
        QTRY_COMPARE(log.entries.size(), 1);
        QCOMPARE(LoginManager::loginTitle(), QStringLiteral("Wang(12)"));

        LoginManager::defaultManager().logout();
        QCOMPARE(log.entries.last(), QStringLiteral("kNotificationLogout|"));
        QVERIFY(!LoginManager::isLogin());
        QCOMPARE(LoginManager::accountId(), QStringLiteral("12"));
        QCOMPARE(LoginManager::accountName(), QStringLiteral("Wang"));
        QVERIFY(!SettingsStore::shared().value(Key::IsLogin).isValid());
        QCOMPARE(SettingsStore::shared().string(Key::AccountId),
                 std::optional<QString>(QStringLiteral("12")));
    }

    void operatorName_data()
    {
        QTest::addColumn<std::optional<QString>>("message");
        QTest::addColumn<QString>("name");
        QTest::newRow("name") << std::optional<QString>(QStringLiteral("hi(Ann)!")) << QStringLiteral("Ann");
        QTest::newRow("close before open") << std::optional<QString>(QStringLiteral(")x(y)")) << QString();
        QTest::newRow("open without close") << std::optional<QString>(QStringLiteral("(Ann")) << QString();
        QTest::newRow("nested opens")
            << std::optional<QString>(QStringLiteral("a(b(c)d")) << QStringLiteral("b(c");
        QTest::newRow("empty brackets") << std::optional<QString>(QStringLiteral("()")) << QString();
        QTest::newRow("absent") << std::optional<QString>() << QString();
    }
    void operatorName()
    {
        QFETCH(std::optional<QString>, message);
        QFETCH(QString, name);
        QCOMPARE(LoginManager::operatorName(message), name);
    }

    void giftSupport_data()
    {
        QTest::addColumn<std::optional<QString>>("stamp");
        QTest::addColumn<bool>("supported");
        QTest::newRow("20150411 refuses") << std::optional<QString>(QStringLiteral("20150411")) << false;
        QTest::newRow("20150412 allows") << std::optional<QString>(QStringLiteral("20150412")) << true;
        QTest::newRow("later date") << std::optional<QString>(QStringLiteral("20240101")) << true;
        QTest::newRow("empty stamp") << std::optional<QString>(QString()) << false;
        QTest::newRow("no stamp") << std::optional<QString>() << false;
        QTest::newRow("not a number") << std::optional<QString>(QStringLiteral("new")) << false;
    }
    void giftSupport()
    {
        QFETCH(std::optional<QString>, stamp);
        QFETCH(bool, supported);
        const QString path = home->path() + QStringLiteral("/PadBaseData.db");
        QVERIFY(writeBaseData(path, stamp));
        DBManager::defaultManager().setupDBPath(path);

        QCOMPARE(SupportChecker::sharedChecker().checkIsSupportZengSong(), supported);
        // The notice comes after the answer, from the event loop.
        QVERIFY(notices->shown.isEmpty());
        QCoreApplication::processEvents();
        const QStringList expected =
            supported ? QStringList()
                      : QStringList{QStringLiteral("alert|提示|席维通服务程序版本过低，请先升级。|确定")};
        QCOMPARE(notices->shown, expected);
    }

    void requiredVersion_data()
    {
        QTest::addColumn<std::optional<QString>>("stamp");
        QTest::addColumn<QString>("required");
        QTest::addColumn<bool>("outdated");
        QTest::addColumn<QStringList>("shown");
        const std::optional<QString> stamp = QStringLiteral("20160101");
        const QStringList notice{
            QStringLiteral("alert|提示|席维通服务程序版本过低，请先升级。（V.20160102）|确定")};
        QTest::newRow("nothing required") << stamp << QString() << true << QStringList();
        QTest::newRow("equal") << stamp << QStringLiteral("20160101") << false << QStringList();
        QTest::newRow("newer server") << stamp << QStringLiteral("20151231") << false << QStringList();
        QTest::newRow("older server") << stamp << QStringLiteral("20160102") << true << notice;
        QTest::newRow("no stamp") << std::optional<QString>() << QStringLiteral("20160102") << true << notice;
    }
    void requiredVersion()
    {
        QFETCH(std::optional<QString>, stamp);
        QFETCH(QString, required);
        QFETCH(bool, outdated);
        QFETCH(QStringList, shown);
        const QString path = home->path() + QStringLiteral("/PadBaseData.db");
        QVERIFY(writeBaseData(path, stamp));
        DBManager::defaultManager().setupDBPath(path);

        QCOMPARE(SupportChecker::sharedChecker().checkShoudUpdaterSvrDataVer(required), outdated);
        QCoreApplication::processEvents();
        QCOMPARE(notices->shown, shown);
    }

    void noticeFollowsTheLanguage()
    {
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, false);
        SupportChecker::sharedChecker().updateDataVer(QStringLiteral("9"));
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
        QTest::newRow("date") << QStringLiteral("20150412") << qint64(20150412);
        QTest::newRow("blanks and trailing text") << QStringLiteral(" 20150412abc") << qint64(20150412);
        QTest::newRow("sign") << QStringLiteral("-3") << qint64(-3);
        QTest::newRow("no digits") << QStringLiteral("abc") << qint64(0);
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
