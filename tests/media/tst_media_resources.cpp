// The data package's media folders as indexed, and the terminal's own sounds and pictures as the
// build installs them.
#include "MediaTestHome.h"
#include "TestRows.h"
#include "Wav.h"

#include "media/FolderIndex.h"

#include <QProcess>

#include <cmath>

namespace {
const QStringList kGeneratedFiles = {
    u"bncancel.wav"_s,   u"bnok.wav"_s,  u"close.wav"_s, u"flip.wav"_s,   u"hotel.jpg"_s, u"lost_pic.png"_s,
    u"lost_pic_s.png"_s, u"turnL.wav"_s, u"turnR.wav"_s, u"welcome.jpg"_s}; // in sorted order

// One setup of a photo index: "forced before, set up, forced after:names in order", each flag 0 or 1.
QString setUp(PhotoManager &photos)
{
    const bool forced = photos.needForceSetup(), ok = photos.setup();
    return u"%1%2%3:"_s.arg(int(forced)).arg(int(ok)).arg(int(photos.needForceSetup())) +
           sorted(photos.arrPhotoNames()).join(u',');
}
} // namespace

class TestMediaResources : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MediaTestHome> home;

private slots:
    void init() { home = std::make_unique<MediaTestHome>(); }

    void folderIndex_data()
    {
        // entries: a trailing "/" makes a folder
        // kind: what "media" is: a folder, a file or nothing
        columns<QStringList, QString, bool, QStringList>("entries", "kind", "listed", "names");

        const QStringList mixed = {u"00002.jpg"_s, u"菜单.png"_s,  u"notes.txt"_s, u".hidden"_s,
                                   u".DS_Store"_s, u".ds_store"_s, u"sub/"_s,      u"00001.JPG"_s};
        QTest::newRow("every entry but .DS_Store")
            << mixed << u"folder"_s << true
            << QStringList{u".ds_store"_s, u".hidden"_s, u"00001.JPG"_s, u"00002.jpg"_s,
                           u"notes.txt"_s, u"sub"_s,     u"菜单.png"_s};
        QTest::newRow("a file, not a folder") << QStringList() << u"file"_s << false << QStringList();
    }
    void folderIndex()
    {
        auto [entries, kind, listed, names] =
            row<QStringList, QString, bool, QStringList>("entries", "kind", "listed", "names");

        const QString folder = home->dataPath(u"media"_s);
        if (kind == u"folder")
            QVERIFY(QDir().mkpath(folder));
        else if (kind == u"file")
            QVERIFY(MediaTestHome::writeFile(folder));
        for (const QString &entry : entries) {
            if (entry.endsWith(u'/'))
                QVERIFY(QDir().mkpath(folder + u'/' + entry));
            else
                QVERIFY(MediaTestHome::writeFile(folder + u'/' + entry));
        }

        FolderIndex index;
        index.names = {u"stale"_s};
        index.paths.insert(u"stale"_s, u"/stale"_s);
        QCOMPARE(index.rebuild(folder), listed);
        QCOMPARE(sorted(index.names), names);
        QCOMPARE(index.paths.size(), names.size());
        for (const QString &name : names)
            QCOMPARE(index.paths.value(name), folder + u'/' + name);
    }

    // Rescanned while the index is empty; once it holds names, only after a new package.
    void photoSetupRescansWhileEmptyThenAfterNewPackage()
    {
        QVERIFY(QDir().mkpath(home->dataPath(u"foodPicBig"_s)));
        PhotoManager photos;
        QCOMPARE(setUp(photos), u"110:"_s);
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/00001.jpg"_s)));
        QCOMPARE(setUp(photos), u"010:00001.jpg"_s);
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/00002.jpg"_s)));
        QCOMPARE(setUp(photos), u"010:00001.jpg"_s);
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QCOMPARE(setUp(photos), u"110:00001.jpg,00002.jpg"_s);
        QCOMPARE(photos.dictBigPhotos().value(u"00002.jpg"_s), home->dataPath(u"foodPicBig/00002.jpg"_s));
    }

    void imagePathByFoodno_data()
    {
        columns<QString, bool>("foodno", "found");
        QTest::newRow("its own file") << u"00001"_s << true;
        QTest::newRow("letter case differs") << u"a01"_s << false;
        QTest::newRow("other extension only") << u"00009"_s << false;
    }
    void imagePathByFoodno()
    {
        auto [foodno, found] = row<QString, bool>("foodno", "found");
        for (const char *name : {"00001.jpg", "A01.jpg", "00009.png"})
            QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/"_s + QLatin1String(name))));
        PhotoManager photos;
        QVERIFY(photos.setup());
        const std::optional<QString> path = photos.getImagePathByFoodno(foodno);
        QCOMPARE(path.has_value(), found);
        if (found)
            QCOMPARE(*path, home->dataPath(u"foodPicBig/"_s + foodno + u".jpg"_s));
    }

    void effectsAreShortClicklessPcm_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : SoundManager::kEffectNames)
            QTest::newRow(qPrintable(name)) << name;
    }
    void effectsAreShortClicklessPcm()
    {
        QFETCH(QString, name);
        const std::optional<Wav> wav = parseWav(readAll(AppPaths::resourcePath(name + u".wav"_s)));
        QVERIFY(wav);
        QCOMPARE((QList<int>{wav->format, wav->channels, wav->bits}),
                 (QList<int>{1, 1, 16})); // mono 16-bit PCM
        QVERIFY(wav->rate >= 22050 && wav->rate <= 48000);
        const double seconds = double(wav->samples.size()) / wav->rate;
        QVERIFY2(seconds >= 0.05 && seconds <= 0.5, qPrintable(QString::number(seconds)));
        int peak = 0;
        for (const qint16 s : wav->samples)
            peak = std::max(peak, std::abs(int(s)));
        QVERIFY2(peak > 8000 && peak < 32000, qPrintable(QString::number(peak))); // audible, not clipped
        QVERIFY(std::abs(wav->samples.first()) < 200 && std::abs(wav->samples.last()) < 200);
    }

    void placeholdersAndFallbackBackgroundAreFound()
    {
        MediaTestHome home; // a data folder without "MainBg.jpg"
        QCOMPARE(PhotoManager::defaultLostImage().size(), QSize(480, 360));
        QCOMPARE(PhotoManager::defaultSmallLostImage().size(), QSize(200, 150));
        QCOMPARE(ConfigManager::defaultManager().getMainImage().size(), QSize(1024, 768));
    }

    void generatorWritesTheSameBytesEveryTime()
    {
        QTemporaryDir out;
        QProcess tool;
        tool.start(QStringLiteral(DIANCAI_APPMEDIA), {u"--out"_s, out.path()});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(sorted(QDir(out.path()).entryList(QDir::Files)), kGeneratedFiles);
        for (const QString &name : kGeneratedFiles)
            QVERIFY2(readAll(out.filePath(name)) == readAll(AppPaths::resourcePath(name)), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestMediaResources)
#include "tst_media_resources.moc"
