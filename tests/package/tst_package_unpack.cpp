// The unpacker and the installer on their own: entry names (GB18030, "\", folders, dates), the
// names refused as leaving the folder, damaged archives, and the swap into place.
#include "PackageBuilder.h"
#include "server/PackageInstaller.h"
#include "server/PackageUnpacker.h"
#include "server/TestRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Bytes that do not compress, so that an offset near the start lies inside the entry's data.
QByteArray noise(int bytes)
{
    QList<quint32> words(bytes / 4);
    QRandomGenerator(42).fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char *>(words.constData()), bytes);
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

class TestPackageUnpack : public QObject {
    Q_OBJECT

private slots:
    void entryPaths_data()
    {
        columns<QString, std::optional<QString>>("name", "expected");
        const std::optional<QString> refused;
        QTest::newRow("plain") << u"PadBaseData.db"_s << std::optional(u"PadBaseData.db"_s);
        QTest::newRow("backslash") << u"foodPicBig\\101.jpg"_s << std::optional(u"foodPicBig/101.jpg"_s);
        QTest::newRow("folder") << u"BgMusic\\"_s << std::optional(u"BgMusic"_s);
        QTest::newRow("empty and dot parts") << u"a//b/./c"_s << std::optional(u"a/b/c"_s);
        QTest::newRow("dots inside a name") << u"a..b/..."_s << std::optional(u"a..b/..."_s);
        QTest::newRow("the folder itself") << u"./"_s << std::optional(QString());
        QTest::newRow("parent") << u"../evil.txt"_s << refused;
        QTest::newRow("parent through backslash") << u"..\\evil.txt"_s << refused;
        QTest::newRow("parent in the middle") << u"foodPicBig/../../evil.txt"_s << refused;
        QTest::newRow("parent that stays inside") << u"a/../b.txt"_s << refused;
        QTest::newRow("absolute") << u"/tmp/evil.txt"_s << refused;
        QTest::newRow("absolute through backslash") << u"\\tmp\\evil.txt"_s << refused;
        QTest::newRow("drive letter") << u"C:\\evil.txt"_s << refused;
        QTest::newRow("drive-relative") << u"c:evil.txt"_s << refused;
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

    // Refused before anything is written: the folder stays empty and the place outside is untouched.
    void unsafeNamesWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("badName");
        QTest::newRow("parent in the middle") << QByteArray("foodPicBig/../../outside/evil.txt");
        QTest::newRow("absolute") << QByteArray("ABSOLUTE/outside/evil.txt");
    }

    void unsafeNamesWriteNothing()
    {
        QFETCH(QByteArray, badName);
        Workspace ws;
        ws.out = ws.dir.filePath(u"work/out"_s);
        const QString outside = ws.dir.filePath(u"outside"_s);
        QVERIFY(QDir().mkpath(outside));
        // The absolute row names the real place of the outside folder.
        badName.replace("ABSOLUTE", QFile::encodeName(ws.dir.path()));
        QVERIFY(ws.write(PackageBuilder()
                             .demoDatabase()
                             .file(u"foodPicBig/"_s, {})
                             .file(u"foodPicBig/1.jpg"_s, "ok")
                             .raw({badName, "evil", PackageBuilder::defaultDate()})));
        const PackageUnpacker::Result result = ws.unpack();
        QVERIFY(!result.ok);
        QVERIFY2(result.detail.contains(u"outside the folder"_s), qPrintable(result.detail));
        QCOMPARE(listing(ws.out) + listing(outside), QStringList());
        QCOMPARE(listing(ws.dir.filePath(u"work"_s)), QStringList{u"out"_s});
    }

    void damagedArchivesFail_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("cut in half") << u"truncate"_s;
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
        QVERIFY(ws.write(PackageBuilder().file(u"big.bin"_s, noise(200000)).file(u"MainBg.jpg"_s, "x")));
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
        QTest::newRow("new folder") << true << QString();
        QTest::newRow("replaces a folder of the same name") << true << u"folder"_s;
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

QTEST_GUILESS_MAIN(TestPackageUnpack)
#include "tst_package_unpack.moc"
