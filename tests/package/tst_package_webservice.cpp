// The maker's web service against diancai-devserver (which stands in for it and for the ordering
// server): the app-update check with its alert, the client report and the terminal's own address.
#include "DevServerHarness.h"
#include "foundation/SettingsKeys.h"
#include "foundation/UserNotice.h"
#include "server/Gb18030.h"
#include "server/GetIpAddress.h"
#include "server/MakerServiceAddress.h"
#include "server/RecordingNotices.h"
#include "server/Reporter.h"
#include "server/ServerTestHome.h"
#include "server/TestRows.h"
#include "server/UpdateChecker.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QJsonArray>
#include <QTest>

#include <climits>

using namespace Qt::StringLiterals;

namespace {

class Fixture {
public:
    Fixture() : notices(std::make_shared<RecordingNotices>())
    {
        LanguageManager::defaultManager().reset();
        DBManager::resetForTests();
        DBManager::defaultManager(); // made here, on the main thread, before any worker asks for it
        UserNotice::setSink(notices);
        checker.setUrlOpener([this](const QUrl &url) {
            opened << QString::fromLatin1(url.toEncoded());
            return true;
        });
    }
    ~Fixture()
    {
        ServerRequest::sharedQueue().waitForDone();
        checker.waitForDone();
        UserNotice::setSink(nullptr);
        qunsetenv(MakerServiceAddress::kEnvironmentVariable);
        DBManager::resetForTests();
    }

    bool serve(const QStringList &extra = {})
    {
        const bool started = server.startProcess({}, extra);
        ServerTestHome::pointAt(server.port());
        qputenv(MakerServiceAddress::kEnvironmentVariable, server.baseUrl().toUtf8());
        return started;
    }

    bool offerVersion(int code, const QString &url = u"http://example.com/diancai/download"_s)
    {
        return server.controlPost(u"/__control/update?versionCode="_s + QString::number(code) +
                                  u"&versionName=1.0."_s + QString::number(code) + u"&url="_s +
                                  QString::fromLatin1(QUrl::toPercentEncoding(url)) + u"&description="_s +
                                  QString::fromLatin1(QUrl::toPercentEncoding(u"修复了若干问题"_s))) == 200;
    }

    // Runs a check to its end, answer included.
    void checkNow()
    {
        checker.check();
        QVERIFY(checker.waitForDone(20000));
        QCoreApplication::processEvents();
    }

    QJsonArray reports()
    {
        ServerRequest::sharedQueue().waitForDone(20000);
        return server.controlGet(u"/__control/reports"_s).value(u"reports"_s).toArray();
    }

    ServerTestHome home;
    DevServerHarness server;
    std::shared_ptr<RecordingNotices> notices;
    UpdateChecker checker;
    QStringList opened;
};

QString expectedQuery(const QString &partner, const QString &svrVersion)
{
    return u"unique="_s + DeviceIdentity::keyChainUUID() + u"&partner="_s + partner +
           u"&storename=%E7%A6%8F%E6%BB%A1%E6%A5%BC%E9%85%92%E5%AE%B6&longitude=&latitude=&svrVersion="_s +
           svrVersion + u"&clientVersion=23&clientType=1"_s;
}

} // namespace

class TestPackageWebService : public QObject {
    Q_OBJECT

private slots:
    // A newer version is offered (declined unless `accept`); accepting opens only web pages.
    void versionCheck_data()
    {
        columns<int, QString, bool, QStringList>("versionCode", "url", "accept", "opened");
        const QString page = u"http://example.com/diancai/download"_s;
        QTest::newRow("this build") << 23 << page << true << QStringList();
        QTest::newRow("next") << 24 << page << false << QStringList();
        QTest::newRow("much newer") << 130 << page << false << QStringList();
        const QString https = u"https://example.com/dl?v=24&x=%E4%B8%AD"_s;
        QTest::newRow("https page") << 24 << https << true << QStringList{https};
        QTest::newRow("local file") << 24 << u"file:///etc/passwd"_s << true << QStringList();
        QTest::newRow("no address") << 24 << QString() << true << QStringList();
    }

    void versionCheck()
    {
        auto [versionCode, url, accept, opened] =
            row<int, QString, bool, QStringList>("versionCode", "url", "accept", "opened");
        Fixture f;
        QVERIFY(f.serve() && f.offerVersion(versionCode, url));
        f.notices->accept = accept;
        f.checkNow();
        const QStringList asked =
            versionCode > 23 ? QStringList{u"confirm|发现新版本：1.0.%1|修复了若干问题"_s.arg(versionCode)}
                             : QStringList();
        QCOMPARE(f.notices->shown, asked);
        QCOMPARE(f.notices->buttons, QStringList(asked.size(), u"暂不更新|立即更新"_s));
        QCOMPARE(f.checker.updateUrl(), url);
        QCOMPARE(f.opened, opened);
    }

    void versionCheckFailsSilently_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("nobody listening") << u"closed"_s;
        QTest::newRow("error status") << u"status&status=500"_s;
        QTest::newRow("no versionCode") << u"canned"_s;
    }

    void versionCheckFailsSilently()
    {
        QFETCH(QString, situation);
        Fixture f;
        QVERIFY(f.serve() && f.offerVersion(99));
        if (situation == u"closed")
            qputenv(MakerServiceAddress::kEnvironmentVariable,
                    "http://127.0.0.1:" + QByteArray::number(DevServerHarness::closedLoopbackPort()));
        else if (situation != u"canned")
            QVERIFY(f.server.injectFault(u"@update"_s, situation));
        if (situation == u"canned") {
            f.checker.handleDescription(Gb18030::encode(
                u"<?xml version=\"1.0\" encoding=\"gb2312\"?><update><versionName>9.9</versionName>"
                u"<url>http://example.com/</url></update>"_s));
        } else {
            f.checkNow();
        }
        QCOMPARE(f.notices->shown, QStringList());
    }

    void versionCodeIsReadLikeAtoi_data()
    {
        columns<std::optional<QString>, int>("text", "value");
        QTest::newRow("plain") << std::optional(u"24"_s) << 24;
        QTest::newRow("blanks and trailing text") << std::optional(u" 25beta"_s) << 25;
        QTest::newRow("sign") << std::optional(u"+7"_s) << 7;
        QTest::newRow("negative") << std::optional(u"-3"_s) << -3;
        QTest::newRow("not a number") << std::optional(u"v24"_s) << 0;
        QTest::newRow("absent") << std::optional<QString>() << 0;
        QTest::newRow("too large") << std::optional(u"99999999999"_s) << INT_MAX;
    }

    void versionCodeIsReadLikeAtoi()
    {
        auto [text, value] = row<std::optional<QString>, int>("text", "value");
        QCOMPARE(UpdateChecker::intValue(text), value);
    }

    // The store and the ordering server named, their values escaped: "&" in the dog number cannot
    // add a key.
    void reportNamesTheStoreAndTheServer_data()
    {
        columns<QStringList, QString, QString>("serverArguments", "partner", "svrVersion");
        QTest::newRow("development server") << QStringList() << u"10000001"_s << u"1.0.0-dev"_s;
        QTest::newRow("values to escape")
            << QStringList{u"--dog-no"_s, u"A&clientType=9 #"_s, u"--server-ver"_s, u"3.6 测试"_s}
            << u"A&clientType=9 #"_s << u"3.6 测试"_s;
    }

    void reportNamesTheStoreAndTheServer()
    {
        auto [serverArguments, partner, svrVersion] =
            row<QStringList, QString, QString>("serverArguments", "partner", "svrVersion");
        Fixture f;
        QVERIFY(f.serve(serverArguments));
        Reporter::sharedInstance().reportClientInfo();
        const QJsonArray reports = f.reports();
        QCOMPARE(reports.size(), 1);
        const auto escaped = [](const QString &value) {
            return QString::fromLatin1(QUrl::toPercentEncoding(value));
        };
        QCOMPARE(reports[0][u"query"_s].toString(), expectedQuery(escaped(partner), escaped(svrVersion)));
        const QJsonObject params = reports[0][u"params"_s].toObject();
        QCOMPARE((QStringList{params.value(u"partner"_s).toString(), params.value(u"svrVersion"_s).toString(),
                              params.value(u"storename"_s).toString(), QString::number(params.size())}),
                 (QStringList{partner, svrVersion, u"福满楼酒家"_s, u"8"_s}));
    }

    void reportAfterAServerFailure_data()
    {
        columns<QString, int>("situation", "reports");
        QTest::newRow("ordering server unreachable") << u"closed"_s << 1;
        QTest::newRow("error status") << u"status&status=503"_s << 1;
        QTest::newRow("unreadable reply") << u"notxml"_s << 0;
        QTest::newRow("refused") << u"refused"_s << 0;
    }

    void reportAfterAServerFailure()
    {
        auto [situation, reports] = row<QString, int>("situation", "reports");
        Fixture f;
        QVERIFY(f.serve());
        if (situation == u"closed")
            ServerTestHome::pointAt(DevServerHarness::closedLoopbackPort());
        else if (situation != u"refused")
            QVERIFY(f.server.injectFault(u"CheckServerStatus"_s, situation));
        if (situation == u"refused") {
            Reporter::sharedInstance().handleReply(Gb18030::encode(
                u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ServerReply><ReturnCode>1</ReturnCode>"
                u"<ReturnMsg>未授权</ReturnMsg><ParaList ServerDogNo=\"1\" ServerVer=\"2\"/></ServerReply>"_s));
        } else {
            Reporter::sharedInstance().reportClientInfo();
        }
        const QJsonArray received = f.reports();
        QCOMPARE(received.size(), reports);
        if (reports == 1)
            QCOMPARE(received[0][u"query"_s].toString(), expectedQuery({}, {}));
    }

    void reportUrlEscapesTheStoreName()
    {
        qputenv(MakerServiceAddress::kEnvironmentVariable, "http://maker.example/");
        const QString url = Reporter::reportUrl(u"0123ABCD"_s, u"42"_s, u"福满 楼"_s, u"1.0"_s);
        qunsetenv(MakerServiceAddress::kEnvironmentVariable);
        QCOMPARE(url, u"http://maker.example/menu/api/ExClientInfo.aspx?unique=0123ABCD&partner=42"
                      u"&storename=%E7%A6%8F%E6%BB%A1%20%E6%A5%BC&longitude=&latitude=&svrVersion=1.0"
                      u"&clientVersion=23&clientType=1"_s);
    }

    void ownAddressWalk_data()
    {
        using Entry = GetIpAddress::InterfaceEntry;
        columns<QList<Entry>, QString>("entries", "address");
        const Entry lo{u"lo"_s, true, true, u"127.0.0.1"_s};
        const Entry eth0{u"eth0"_s, true, true, u"192.168.1.20"_s};
        QTest::newRow("loopback only") << QList<Entry>{lo} << QString();
        QTest::newRow("loopback and one") << QList<Entry>{lo, eth0} << u"192.168.1.20"_s;
        QTest::newRow("IPv6 entries ignored")
            << QList<Entry>{lo, {u"eth0"_s, false, true, {}}, eth0} << u"192.168.1.20"_s;
        QTest::newRow("interface down left out")
            << QList<Entry>{lo, {u"wlan0"_s, true, false, u"10.0.0.5"_s}, eth0} << u"192.168.1.20"_s;
        QTest::newRow("alias right after its interface skipped")
            << QList<Entry>{lo, eth0, {u"eth0:1"_s, true, true, u"192.168.1.21"_s}} << u"192.168.1.20"_s;
        QTest::newRow("alias first stands for the interface")
            << QList<Entry>{lo, {u"eth0:1"_s, true, true, u"192.168.1.21"_s}, eth0} << u"192.168.1.21"_s;
        QTest::newRow("down loopback, then two") << QList<Entry>{{u"lo"_s, true, false, u"127.0.0.1"_s},
                                                                 eth0,
                                                                 {u"wlan0"_s, true, true, u"10.0.0.5"_s}}
                                                 << u"10.0.0.5"_s;
        QTest::newRow("nothing") << QList<Entry>{} << QString();
    }

    void ownAddressWalk()
    {
        using Entry = GetIpAddress::InterfaceEntry;
        auto [entries, address] = row<QList<Entry>, QString>("entries", "address");
        QCOMPARE(GetIpAddress::secondRecordedAddress(entries), address);
    }

    void systemListHoldsTheLoopback()
    {
        const QList<GetIpAddress::InterfaceEntry> entries = GetIpAddress::listInterfaces();
        QVERIFY(std::any_of(entries.begin(), entries.end(),
                            [](const auto &e) { return e.isIPv4 && e.isUp && e.address == u"127.0.0.1"_s; }));
    }
};

QTEST_GUILESS_MAIN(TestPackageWebService)
#include "tst_package_webservice.moc"
