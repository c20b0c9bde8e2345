// The base-data package against diancai-devserver (check, download, install, refusals, deletion),
// the unpacker and installer on their own, and the maker's web service.
#include "BaseDataFixture.h"
#include "DevServerHarness.h"
#include "PackageBuilder.h"
#include "TestRows.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "foundation/UserNotice.h"
#include "media/PhotoManager.h"
#include "package/PackageInstaller.h"
#include "package/PackageUnpacker.h"
#include "package/UpdateFileDownloader.h"
#include "server/Gb18030.h"
#include "server/GetIpAddress.h"
#include "server/MakerServiceAddress.h"
#include "server/NotificationLog.h"
#include "server/RecordingNotices.h"
#include "server/Reporter.h"
#include "server/ServerError.h"
#include "server/ServerTestHome.h"
#include "server/UpdateChecker.h"
#include "settings/DataFolder.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <climits>
#include <latch>

using namespace Qt::StringLiterals;

namespace {

const QString kOk = Notify::DownUpdateFileOk + u'|';
const QString kFailed = Notify::DownUpdateFileFailed + u'|';
const QString kProgress = Notify::DownUpdateFileProgress + u'|';
const QString kLoad = Notify::LoadNewUpdateFile + u'|';

QString storedName()
{
    return SettingsStore::shared().string(Key::ZipFileName).value_or(u"<absent>"_s);
}

// One test's world: a fresh home and settings, a development server, a downloader of its own and
// the notifications it posts.
class Fixture {
public:
    Fixture()
        : log({Notify::DownUpdateFileProgress, Notify::DownUpdateFileOk, Notify::DownUpdateFileFailed,
               Notify::LoadNewUpdateFile})
    {
        LanguageManager::defaultManager().reset();
        DBManager::resetForTests();
    }
    ~Fixture()
    {
        ServerRequest::sharedQueue().waitForDone();
        downloader.waitForDone();
        DBManager::resetForTests();
    }

    QString home() const { return homeDir.path(); }
    QString packagePath(const QString &name) const { return packages.filePath(name); }

    bool serve(const QString &packagePath)
    {
        server = std::make_unique<DevServerHarness>();
        if (!server->startProcess(packagePath)) {
            qWarning().noquote() << server->lastError();
            return false;
        }
        ServerTestHome::pointAt(server->port());
        return true;
    }
    // Serves "a.zip" holding only the demo database.
    bool serveDemoDatabase()
    {
        const QString path = packagePath(u"a.zip"_s);
        return PackageBuilder().demoDatabase().write(path).isEmpty() && serve(path);
    }
    bool download(const QString &packagePath, int outcomesAfter)
    {
        if (!serve(packagePath))
            return false;
        downloader.beginToDownload();
        return waitForOutcomes(outcomesAfter);
    }

    QStringList outcomes() const
    {
        QStringList found;
        for (const QString &entry : log.entries)
            if (entry.startsWith(kOk) || entry.startsWith(kFailed))
                found << entry;
        return found;
    }
    // Waits for that many outcomes and for the notifications that follow the last.
    bool waitForOutcomes(int count)
    {
        if (!QTest::qWaitFor([&] { return outcomes().size() >= count; }, 20000) ||
            !downloader.waitForDone(20000))
            return false;
        ServerRequest::sharedQueue().waitForDone(20000);
        QCoreApplication::processEvents();
        return true;
    }

    // Installs a small package "<name>": the demo database and "<stem>.txt" holding `marker`.
    bool installMarked(const QString &name, const QByteArray &marker)
    {
        const QString path = packagePath(name);
        return PackageBuilder()
                   .demoDatabase()
                   .file(name.section(u'.', 0, 0) + u".txt"_s, marker)
                   .write(path)
                   .isEmpty() &&
               download(path, int(outcomes().size()) + 1) && outcomes().last() == kOk + u"下载成功"_s &&
               storedName() == name;
    }

    // The folders in the home, hidden ones included (staging and set-aside folders would show).
    QStringList folders() const
    {
        return QDir(home()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    ServerTestHome homeDir;
    QTemporaryDir packages;
    std::unique_ptr<DevServerHarness> server;
    UpdateFileDownloader downloader;
    NotificationLog log;
};

// One web-service test's world: a fresh home, the server, an update checker whose pages are
// recorded instead of opened, and the notices shown.
class ServiceFixture {
public:
    ServiceFixture() : notices(std::make_shared<RecordingNotices>())
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
    ~ServiceFixture()
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

// A temporary folder holding the package "p.zip" and the folder `out` it unpacks into.
struct Workspace {
    explicit Workspace(const QString &place = QDir::tempPath()) : dir(place + u"/diancai-XXXXXX"_s) {}
    QTemporaryDir dir;
    QString zip = dir.filePath(u"p.zip"_s);
    QString out = dir.filePath(u"out"_s);

    bool write(const PackageBuilder &package) const
    {
        const QString error = package.write(zip);
        if (!error.isEmpty())
            qWarning().noquote() << error;
        return error.isEmpty() && QDir().mkpath(out);
    }
    PackageUnpacker::Result unpack(qint64 limit = -1) const
    {
        return limit < 0 ? PackageUnpacker::unpack(zip, out) : PackageUnpacker::unpack(zip, out, limit);
    }
};

bool writeAt(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek(offset) && file.write(bytes) == bytes.size();
}

} // namespace

class TestPackageInstall : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(DevServerHarness::demoPackage()), "no demo package"); }

    // The demo package over the shipped data, with every notification in its order.
    void firstInstallOverTheShippedData()
    {
        Fixture f;
        const QString shipped = DataFolder::pathForPackage({});
        QCOMPARE(f.downloader.dataFolderPath(), shipped);
        // Thumbnails are named by dish number: the old catalogue's must go with it.
        const QString thumbnail = PhotoManager::defaultManager().smallImageFolder() + u"/101.jpg"_s;
        QVERIFY(QFile(thumbnail).open(QIODevice::WriteOnly));
        QVERIFY(f.download(DevServerHarness::demoPackage(), 1));
        QVERIFY(!QFile::exists(thumbnail));

        const QStringList &entries = f.log.entries;
        QVERIFY2(entries.size() >= 5, qPrintable(entries.join(u'\n')));
        QCOMPARE(entries.mid(entries.size() - 4),
                 (QStringList{kProgress + u"已下载：100%"_s, kProgress + u"解压中..."_s, kOk + u"下载成功"_s,
                              kLoad}));
        int lastPercent = -1;
        for (const QString &entry : entries.mid(1, entries.size() - 4)) {
            QVERIFY2(entry.startsWith(kProgress + u"已下载："_s) && entry.endsWith(u'%'), qPrintable(entry));
            const int percent = entry.section(u'：', 1).chopped(1).toInt();
            QVERIFY2(percent > lastPercent, qPrintable(entries.join(u'\n'))); // rising, no repeats
            lastPercent = percent;
        }
        QVERIFY(!f.log.offMainThread);

        const QString installed = f.home() + u"/diancai-demo"_s;
        QCOMPARE(QStringList({storedName(), f.downloader.dataFolderPath()}) + f.folders(),
                 (QStringList{u"diancai-demo.zip"_s, installed, u"diancai-demo"_s}));
        QVERIFY(QFileInfo(installed).permissions().testFlags(QFile::ReadOther | QFile::ExeOther));
        // The package goes; the shipped data is never removed.
        QVERIFY(!QFile::exists(f.home() + u"/diancai-demo.zip"_s) &&
                QFile::exists(shipped + u"/PadBaseData.db"_s));
        // Every entry of the demo package is dated 2026-12-01 12:00.
        QCOMPARE(QFileInfo(installed + u"/MainBg.jpg"_s).lastModified(),
                 QDateTime(QDate(2026, 12, 1), QTime(12, 0)));
        QCOMPARE(int(f.server->logLines().filter(u"GET /diancai-demo.zip"_s).size()), 1);
    }

    // The next package replaces the installed one, also when it unpacks into the folder in use
    // ("a.ZIP" into "a", which must then not be deleted as the old data folder).
    void nextPackageReplacesTheInstalledOne_data()
    {
        columns<QString, QString>("name", "folder");
        QTest::newRow("another name") << u"b.zip"_s << u"b"_s;
        QTest::newRow("named like the installed one") << u"a.ZIP"_s << u"a"_s;
    }

    void nextPackageReplacesTheInstalledOne()
    {
        auto [name, folder] = row<QString, QString>("name", "folder");
        Fixture f;
        QVERIFY(f.installMarked(u"a.zip"_s, "first"));
        QCOMPARE(f.folders(), QStringList{u"a"_s});
        QVERIFY(f.installMarked(name, "second"));
        const QString installed = f.home() + u'/' + folder;
        QCOMPARE(f.folders() << f.downloader.dataFolderPath(), (QStringList{folder, installed}));
        QCOMPARE(readFile(installed + u'/' + folder + u".txt"_s), QByteArray("second"));
        QVERIFY(!QFile::exists(f.home() + u'/' + name));
    }

    // Three callers at once, two of them on other threads: one download, one outcome.
    void quickCallsStartOneDownload()
    {
        Fixture f;
        QVERIFY(f.serveDemoDatabase());
        // The download starts late, so that the later calls surely find it running.
        QVERIFY(f.server->injectFault(u"@package"_s, u"delay&ms=300"_s));
        std::latch start(3);
        auto call = [&] {
            start.arrive_and_wait();
            f.downloader.beginToDownloadWithFileName(u"a.zip"_s);
        };
        std::unique_ptr<QThread> one(QThread::create(call)), two(QThread::create(call));
        one->start();
        two->start();
        call();
        QVERIFY(one->wait(5000) && two->wait(5000));
        QVERIFY(f.downloader.isDownloading());
        f.downloader.beginToDownloadWithFileName(u"a.zip"_s);
        QVERIFY(f.waitForOutcomes(1));
        QTest::qWait(200); // room for a second outcome, were there one
        QCOMPARE(f.outcomes(), QStringList{kOk + u"下载成功"_s});
        QCOMPARE(int(f.server->logLines().filter(u"GET /a.zip"_s).size()), 1);
        QCOMPARE(f.log.entries.count(kLoad), 1);
        QVERIFY(!f.downloader.isDownloading());
    }

    // Two checks while the first is on its way: the server hears one "GetUpFileName".
    void quickChecksSendOneRequest()
    {
        Fixture f;
        QVERIFY(f.serveDemoDatabase());
        QVERIFY(f.server->injectFault(u"GetUpFileName"_s, u"delay&ms=300"_s));
        QVERIFY(f.downloader.beginToDownload());
        QVERIFY(!f.downloader.beginToDownload());
        QVERIFY(f.waitForOutcomes(1));
        QTest::qWait(200);
        QCOMPARE(f.outcomes(), QStringList{kOk + u"下载成功"_s});
        QCOMPARE(f.server->controlGet(u"/__control/commands?command=GetUpFileName"_s)[u"commands"_s]
                     .toArray()
                     .size(),
                 1);
    }

    // Each failure leaves the installed package "a.zip" as it was, and no folder beside it.
    void failedInstallKeepsTheInstalledData_data()
    {
        columns<QString, QString>("situation", "message");
        QTest::newRow("404 answer over a stale file") << u"404 stale"_s << u"解压失败"_s;
        QTest::newRow("truncated package") << u"truncated"_s << u"解压失败"_s;
        QTest::newRow("zip slip named like the installed one") << u"slip same folder"_s << u"解压失败"_s;
        QTest::newRow("connection dropped") << u"drop"_s << u"下载失败"_s;
        const QString badContent = u"商品资料包内容无效"_s;
        QTest::newRow("database missing") << u"no database"_s << badContent;
        QTest::newRow("database not a database") << u"not a database"_s << badContent;
        QTest::newRow("database truncated") << u"truncated database"_s << badContent;
        QTest::newRow("database a symlink") << u"symlink"_s << badContent;
        QTest::newRow("catalogue table missing") << u"no dish table"_s << badContent;
        QTest::newRow("declares 3 GB") << u"too large"_s << u"商品资料包过大，无法解压"_s;
        QTest::newRow("two entries declaring 1.5 GB each")
            << u"overlapping"_s << u"商品资料包过大，无法解压"_s;
    }

    void failedInstallKeepsTheInstalledData()
    {
        auto [situation, message] = row<QString, QString>("situation", "message");
        Fixture f;
        QVERIFY(f.installMarked(u"a.zip"_s, "installed"));
        const QString escaped = u"diancai-slip-"_s + QString::number(QCoreApplication::applicationPid());

        QString name = u"b.zip"_s;
        PackageBuilder package;
        const QByteArray demo = PackageBuilder::demoDatabaseBytes();
        if (situation == u"not a database")
            package.file(u"PadBaseData.db"_s, "SQLite format 3 is what this is not");
        else if (situation == u"truncated database")
            package.file(u"PadBaseData.db"_s, demo.left(demo.size() / 2));
        else if (situation == u"symlink")
            package.raw({"PadBaseData.db", "../a/PadBaseData.db", PackageBuilder::defaultDate(), false, true,
                         std::nullopt});
        else if (situation == u"no dish table")
            package.file(u"PadBaseData.db"_s, databaseWithout(demo, "FoodInfo"));
        else if (situation != u"no database")
            package.demoDatabase();
        package.file(u"foodPicBig/1.jpg"_s, "ok");
        const quint64 gigabyte = quint64(1) << 30;
        if (situation == u"too large")
            package.raw(
                {"AdVideo/big.mp4", "small", PackageBuilder::defaultDate(), false, false, 3 * gigabyte});
        if (situation == u"overlapping") {
            for (const char *name : {"AdVideo/1.mp4", "AdVideo/2.mp4"})
                package.raw({name, "small", PackageBuilder::defaultDate(), false, false, 3 * gigabyte / 2});
        }
        if (situation == u"slip same folder") {
            name = u"a.ZIP"_s;
            package.file(u"..\\"_s + escaped, "evil");
        }
        const QString path = f.packagePath(name);
        QCOMPARE(package.write(path), QString());
        if (situation == u"truncated")
            QVERIFY(truncateFile(path, QFileInfo(path).size() * 2 / 3));
        QVERIFY(f.serve(path));
        if (situation == u"drop")
            QVERIFY(f.server->injectFault(u"@package"_s, u"drop"_s));

        if (situation.startsWith(u"404")) {
            if (situation == u"404 stale") // a good package left by an earlier attempt must not be taken
                QVERIFY(QFile::copy(path, f.home() + u"/missing.zip"_s));
            f.downloader.beginToDownloadWithFileName(u"missing.zip"_s);
        } else {
            f.downloader.beginToDownload();
        }
        QVERIFY(f.waitForOutcomes(2));
        QCOMPARE(f.outcomes().last(), kFailed + message);
        QCOMPARE(f.log.entries.count(kLoad), 1); // the first install's only
        QCOMPARE(QStringList{storedName()} + f.folders(), (QStringList{u"a.zip"_s, u"a"_s}));
        QCOMPARE(readFile(f.home() + u"/a/a.txt"_s), QByteArray("installed"));
        QVERIFY(QFile::exists(f.home() + u"/a/PadBaseData.db"_s) && !f.downloader.isDownloading());
        QVERIFY(!QFile::exists(f.home() + u"/"_s + escaped) &&
                !QFile::exists(QFileInfo(f.home()).absolutePath() + u"/"_s + escaped));
        // A package that arrived but could not be installed is removed at once.
        QCOMPARE(QDir(f.home()).entryList({u"*.zip"_s, u"*.ZIP"_s}, QDir::Files), QStringList());
    }

    // The package's name and its entries' names are GB18030, with "\\" separators.
    void namesInGb18030AndWithBackslashes()
    {
        Fixture f;
        const QString path = f.packagePath(u"名称.zip"_s);
        const QDateTime date(QDate(2025, 6, 7), QTime(8, 9, 10));
        QCOMPARE(
            PackageBuilder().demoDatabase().file(u"BgMusic\\古筝\\高山流水.mp3"_s, "tune", date).write(path),
            QString());
        QVERIFY(f.download(path, 1));
        const QString folder = f.home() + u"/名称"_s;
        QCOMPARE((QStringList{f.outcomes().last(), storedName(), f.downloader.dataFolderPath()}),
                 (QStringList{kOk + u"下载成功"_s, u"名称.zip"_s, folder}));
        QCOMPARE(readFile(folder + u"/BgMusic/古筝/高山流水.mp3"_s), QByteArray("tune"));
        QCOMPARE(QFileInfo(folder + u"/BgMusic/古筝/高山流水.mp3"_s).lastModified(), date);
    }

    void deleteDataEmptiesTheCatalogue()
    {
        Fixture f;
        QVERIFY(f.installMarked(u"a.zip"_s, "installed"));
        DBManager &db = DBManager::defaultManager();
        auto counts = [&db] {
            QList<int> sizes;
            const auto size = [&sizes](const auto &list) { sizes << int(list.size()); };
            db.getAllFoodInfo(size, false);
            db.getAllFoodInfo(size, true);
            db.getFoodInfo2(size);
            db.getAllFoodSmallCat(size);
            db.getAllTables(size);
            db.getAllReason(size);
            db.getStoroInfo(size);
            db.getTasteInfoByStyle(u"B"_s, u"101"_s,
                                   [&](const auto &, const auto &l, const auto &) { size(l); });
            return sizes;
        };
        QVERIFY(!counts().contains(0));
        const qsizetype notificationsBefore = f.log.entries.size();
        const QString thumbnail = PhotoManager::defaultManager().smallImageFolder() + u"/101.jpg"_s;
        QVERIFY(QFile(thumbnail).open(QIODevice::WriteOnly));

        f.downloader.deleteData();
        QVERIFY(!QFile::exists(thumbnail) && f.folders().isEmpty());
        QCOMPARE((QStringList{storedName(), f.downloader.dataFolderPath()}),
                 (QStringList{DataFolder::kNoPackageName, f.home() + u"/empty"_s}));
        db.setup();
        QCOMPARE(counts(), QList<int>(8, 0));
        QCoreApplication::processEvents();
        QCOMPARE(f.log.entries.size(), notificationsBefore);
    }

    // With no package installed the data folder is the shipped one, which must survive.
    void deleteDataNeverTouchesTheShippedData()
    {
        Fixture f;
        const QString shipped = f.downloader.dataFolderPath();
        QVERIFY(QFile::exists(shipped + u"/PadBaseData.db"_s));
        f.downloader.deleteData();
        QVERIFY(QFile::exists(shipped + u"/PadBaseData.db"_s));
        QCOMPARE((QStringList{storedName(), f.downloader.dataFolderPath()}),
                 (QStringList{DataFolder::kNoPackageName, f.home() + u"/empty"_s}));
    }

    // The check's own failures, over the wire: nothing is downloaded.
    void checkFailures_data()
    {
        columns<QString, QString>("fault", "message");
        QTest::newRow("reply is no XML") << u"notxml"_s << u"下载失败"_s;
        QTest::newRow("connection dropped") << u"drop"_s << u"网络连接错误"_s;
    }

    void checkFailures()
    {
        auto [fault, message] = row<QString, QString>("fault", "message");
        Fixture f;
        QVERIFY(f.serve(DevServerHarness::demoPackage()));
        QVERIFY(f.server->injectFault(u"GetUpFileName"_s, fault));
        f.downloader.beginToDownload();
        QVERIFY(f.waitForOutcomes(1));
        QCOMPARE(f.log.entries + QStringList{storedName()},
                 (QStringList{kProgress + u"正在检测主档更新..."_s, kFailed + message, u"<absent>"_s}));
        QVERIFY(!f.downloader.isDownloading());
    }

    // Replies the development server does not give, read directly.
    void checkReplies_data()
    {
        columns<QString, QString>("reply", "outcome");
        const QString head = u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ServerReply>"_s;
        const auto named = [&](const QString &value) {
            return head + u"<ReturnCode>0</ReturnCode><ReturnValue>"_s + value +
                   u"</ReturnValue></ServerReply>"_s;
        };
        const QString badName = kFailed + u"获取更新文件失败"_s;
        QTest::newRow("refused")
            << head + u"<ReturnCode>1</ReturnCode><ReturnMsg>服务程序未注册</ReturnMsg></ServerReply>"_s
            << kFailed + u"服务程序未注册"_s;
        QTest::newRow("no ReturnValue")
            << head + u"<ReturnCode>0</ReturnCode><ReturnMsg/></ServerReply>"_s << badName;
        QTest::newRow("name leaving the home") << named(u"../../x.zip"_s) << badName;
        QTest::newRow("one of the terminal's own files") << named(u"settings.ini"_s) << badName;
    }

    void checkReplies()
    {
        auto [reply, outcome] = row<QString, QString>("reply", "outcome");
        Fixture f;
        SettingsStore::shared().setValue(Key::ZipFileName, u"installed.zip"_s);
        f.downloader.handleUpFileNameReply(Gb18030::encode(reply));
        QCOMPARE(f.log.entries + QStringList{storedName()}, (QStringList{outcome, u"installed.zip"_s}));
        QVERIFY(!f.downloader.isDownloading());
    }

    // The maker's web service (diancai-devserver stands in for it): the app-update check with its
    // alert, the client report and the terminal's own address.
    // A newer version is offered and accepted; accepting opens only web pages.
    void versionCheck_data()
    {
        columns<QString, QStringList>("url", "opened");
        const QString https = u"https://example.com/dl?v=24&x=%E4%B8%AD"_s;
        QTest::newRow("https page") << https << QStringList{https};
        QTest::newRow("local file") << u"file:///etc/passwd"_s << QStringList();
    }

    void versionCheck()
    {
        auto [url, opened] = row<QString, QStringList>("url", "opened");
        ServiceFixture f;
        QVERIFY(f.serve() && f.offerVersion(24, url));
        f.notices->accept = true;
        f.checkNow();
        QCOMPARE(f.notices->shown, QStringList{u"confirm|发现新版本：1.0.24|修复了若干问题"_s});
        QCOMPARE(f.notices->buttons, QStringList{u"暂不更新|立即更新"_s});
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
        ServiceFixture f;
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
        QTest::newRow("blanks and trailing text") << std::optional(u" 25beta"_s) << 25;
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
        ServiceFixture f;
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
        QTest::newRow("unreadable reply") << u"notxml"_s << 0;
        QTest::newRow("refused") << u"refused"_s << 0;
    }

    void reportAfterAServerFailure()
    {
        auto [situation, reports] = row<QString, int>("situation", "reports");
        ServiceFixture f;
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

    void ownAddressWalk_data()
    {
        using Entry = GetIpAddress::InterfaceEntry;
        columns<QList<Entry>, QString>("entries", "address");
        const Entry lo{u"lo"_s, true, true, u"127.0.0.1"_s};
        const Entry eth0{u"eth0"_s, true, true, u"192.168.1.20"_s};
        QTest::newRow("loopback only") << QList<Entry>{lo} << QString();
        QTest::newRow("IPv6 entries ignored")
            << QList<Entry>{lo, {u"eth0"_s, false, true, {}}, eth0} << u"192.168.1.20"_s;
        QTest::newRow("interface down left out")
            << QList<Entry>{lo, {u"wlan0"_s, true, false, u"10.0.0.5"_s}, eth0} << u"192.168.1.20"_s;
        QTest::newRow("alias right after its interface skipped")
            << QList<Entry>{lo, eth0, {u"eth0:1"_s, true, true, u"192.168.1.21"_s}} << u"192.168.1.20"_s;
        QTest::newRow("alias first stands for the interface")
            << QList<Entry>{lo, {u"eth0:1"_s, true, true, u"192.168.1.21"_s}, eth0} << u"192.168.1.21"_s;
    }

    void ownAddressWalk()
    {
        using Entry = GetIpAddress::InterfaceEntry;
        auto [entries, address] = row<QList<Entry>, QString>("entries", "address");
        QCOMPARE(GetIpAddress::secondRecordedAddress(entries), address);
    }

    // The unpacker and the installer on their own: entry names (GB18030, "\\", folders, dates), the
    // names refused as leaving the folder, damaged archives, and the swap into place.
    void entryPaths_data()
    {
        columns<QString, std::optional<QString>>("name", "expected");
        const std::optional<QString> refused;
        QTest::newRow("empty and dot parts") << u"a//b/./c"_s << std::optional(u"a/b/c"_s);
        QTest::newRow("the folder itself") << u"./"_s << std::optional(QString());
        QTest::newRow("parent") << u"../evil.txt"_s << refused;
        QTest::newRow("parent in the middle") << u"foodPicBig/../../evil.txt"_s << refused;
        QTest::newRow("parent that stays inside") << u"a/../b.txt"_s << refused;
        QTest::newRow("absolute") << u"/tmp/evil.txt"_s << refused;
        QTest::newRow("drive letter") << u"C:\\evil.txt"_s << refused;
        QTest::newRow("NUL") << QString(u"ok.txt"_s + QChar(u'\0') + u"/../../x"_s) << refused;
    }

    void entryPaths()
    {
        auto [name, expected] = row<QString, std::optional<QString>>("name", "expected");
        QCOMPARE(PackageUnpacker::relativeEntryPath(name), expected);
    }

    void unpacksNamesFoldersAndDates()
    {
        Workspace ws;
        const QDateTime fileDate(QDate(2024, 12, 31), QTime(23, 58, 30));
        const QDateTime folderDate(QDate(2023, 1, 2), QTime(3, 4, 6));
        PackageBuilder package;
        package.file(u"AdPicture\\"_s, {}, folderDate)
            .file(u"AdPicture\\春节.jpg"_s, "poster", fileDate)
            .file(u"foodPicBig\\红烧肉.jpg"_s, "dish") // its folder has no entry of its own
            .file(u"BgMusic/曲/一.mp3"_s, "tune")
            .raw({u"说明.txt"_s.toUtf8(), "utf-8 name", fileDate, true})
            .file(u"MainBg.jpg"_s, "first")
            .file(u"MainBg.jpg"_s, "second"); // a later entry replaces the file
        QVERIFY(ws.write(package));
        const PackageUnpacker::Result result = ws.unpack();
        const QString &out = ws.out;
        QVERIFY2(result.ok, qPrintable(result.detail));
        QCOMPARE(listing(out), (QStringList{u"AdPicture"_s, u"AdPicture/春节.jpg"_s, u"BgMusic"_s,
                                            u"BgMusic/曲"_s, u"BgMusic/曲/一.mp3"_s, u"MainBg.jpg"_s,
                                            u"foodPicBig"_s, u"foodPicBig/红烧肉.jpg"_s, u"说明.txt"_s}));
        QByteArrayList contents;
        for (const char *name : {"/AdPicture/春节.jpg", "/foodPicBig/红烧肉.jpg", "/MainBg.jpg", "/说明.txt"})
            contents << readFile(out + QString::fromUtf8(name));
        QCOMPARE(contents, (QByteArrayList{"poster", "dish", "second", "utf-8 name"}));
        const auto date = [&](const QString &name) { return QFileInfo(out + name).lastModified(); };
        QCOMPARE((QList<QDateTime>{date(u"/AdPicture/春节.jpg"_s), date(u"/foodPicBig/红烧肉.jpg"_s),
                                   date(u"/AdPicture"_s)}),
                 (QList<QDateTime>{fileDate, PackageBuilder::defaultDate(), folderDate}));
    }

    void damagedArchivesFail_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("a byte of an entry changed") << u"flip"_s;
        QTest::newRow("not a zip at all") << u"text"_s;
        QTest::newRow("no file") << u"missing"_s;
        // An end record counting fewer entries than the directory holds must not install part of it.
        QTest::newRow("count short of the directory") << u"count"_s;
    }

    void damagedArchivesFail()
    {
        QFETCH(QString, damage);
        Workspace ws;
        const QString &zip = ws.zip;
        QVERIFY(ws.write(
            PackageBuilder().file(u"big.bin"_s, BaseDataFixture::noise(200000)).file(u"MainBg.jpg"_s, "x")));
        if (damage == u"truncate")
            QVERIFY(truncateFile(zip, QFileInfo(zip).size() / 2));
        else if (damage == u"flip")
            QVERIFY(flipByte(zip, 30 + 7 + 1000)); // inside big.bin's data, after its local header
        else if (damage == u"text")
            QVERIFY(writeFile(zip, "<html><body>404 Not Found</body></html>"));
        else if (damage == u"count") // "1 entry" on this disk and in all, at the end record's offset 8
            QVERIFY(writeAt(zip, QFileInfo(zip).size() - 22 + 8, QByteArray("\x01\x00\x01\x00", 4)));
        else
            QVERIFY(QFile::remove(zip));
        QVERIFY(!ws.unpack().ok);
        if (damage == u"count")
            QCOMPARE(listing(ws.out), QStringList());
    }

    // More entries than the 16-bit count holds: the writer clamps it to 0xFFFF, and every entry is
    // still unpacked.
    void moreEntriesThanTheCountHolds()
    {
        // In memory where the system has room for it: 65,540 files take a minute on a busy disk.
        const Workspace ws(QDir(u"/dev/shm"_s).exists() ? u"/dev/shm"_s : QDir::tempPath());
        constexpr int kEntries = 0xFFFF + 5;
        PackageBuilder package;
        for (int i = 0; i < kEntries; ++i)
            package.file(u"foodPicBig/"_s + QString::number(i) + u".jpg"_s, {});
        QVERIFY(ws.write(package.file(u"last.txt"_s, "last")));
        const PackageUnpacker::Result result = ws.unpack();
        QVERIFY2(result.ok, qPrintable(result.detail));
        QCOMPARE(QDir(ws.out + u"/foodPicBig"_s).count(), uint(kEntries + 2)); // with "." and ".."
        QCOMPARE(readFile(ws.out + u"/last.txt"_s), QByteArray("last"));
    }

    void unpackLimitFollowsTheDisk_data()
    {
        columns<qint64, qint64>("available", "limit");
        const qint64 mb = 1024 * 1024;
        QTest::newRow("plenty of room") << 100 * 1024 * mb << 2048 * mb;
        QTest::newRow("the reserve is kept") << 1024 * mb << 768 * mb;
        QTest::newRow("less than the reserve") << 100 * mb << qint64(0);
    }
    void unpackLimitFollowsTheDisk()
    {
        auto [available, limit] = row<qint64, qint64>("available", "limit");
        QCOMPARE(PackageUnpacker::unpackLimit(available), limit);
    }

    // Refused before anything is written when the declared sizes add up to more than the limit.
    void refusesMoreThanTheLimit_data()
    {
        columns<QList<int>, bool>("sizes", "ok");
        QTest::newRow("at the limit") << QList<int>{1000} << true;
        QTest::newRow("one entry over") << QList<int>{1001} << false;
        QTest::newRow("over in all") << QList<int>{600, 600} << false;
    }
    void refusesMoreThanTheLimit()
    {
        auto [sizes, ok] = row<QList<int>, bool>("sizes", "ok");
        Workspace ws;
        PackageBuilder package;
        for (int i = 0; i < sizes.size(); ++i)
            package.file(u"f"_s + QString::number(i), QByteArray(sizes.at(i), 'x'));
        QVERIFY(ws.write(package));
        const PackageUnpacker::Result result = ws.unpack(1000);
        QCOMPARE(result.ok, ok);
        QCOMPARE(result.tooLarge, !ok);
        QCOMPARE(listing(ws.out).size(), ok ? sizes.size() : 0);
    }

    // What is in the way at the target: nothing, a folder of the same name, or a file (such as the
    // held-order store "main"), which is never replaced.
    void installerSwapsOnlyWhenComplete_data()
    {
        columns<bool, QString>("goodPackage", "inTheWay");
        QTest::newRow("failure leaves no folder") << false << QString();
        QTest::newRow("failure keeps the folder of the same name") << false << u"folder"_s;
        QTest::newRow("a file in the way is left alone") << true << u"file"_s;
    }

    void installerSwapsOnlyWhenComplete()
    {
        auto [goodPackage, inTheWay] = row<bool, QString>("goodPackage", "inTheWay");
        QTemporaryDir home;
        const QString target = home.filePath(u"pkg"_s);
        if (inTheWay == u"folder") {
            QVERIFY(QDir().mkpath(target + u"/foodPicBig"_s));
            QVERIFY(writeFile(target + u"/old.txt"_s, "old"));
        } else if (inTheWay == u"file") {
            QVERIFY(writeFile(target, "held orders"));
        }
        QTemporaryDir source;
        const QString zip = source.filePath(u"pkg.zip"_s);
        PackageBuilder package;
        package.file(u"new.txt"_s, "new");
        if (!goodPackage)
            package.raw({"../escape.txt", "evil", PackageBuilder::defaultDate()});
        QCOMPARE(package.write(zip), QString());

        const bool installed = goodPackage && inTheWay != u"file";
        QCOMPARE(PackageInstaller::installFolder(zip, target).ok, installed);
        const QStringList expected = installed ? QStringList{u"pkg"_s, u"pkg/new.txt"_s}
                                     : inTheWay == u"folder"
                                         ? QStringList{u"pkg"_s, u"pkg/foodPicBig"_s, u"pkg/old.txt"_s}
                                     : inTheWay == u"file" ? QStringList{u"pkg"_s}
                                                           : QStringList();
        QCOMPARE(listing(home.path()), expected); // no staging or set-aside folder left behind
        if (inTheWay == u"file")
            QCOMPARE(readFile(target), QByteArray("held orders"));
    }
};

QTEST_GUILESS_MAIN(TestPackageInstall)
#include "tst_package_install.moc"
