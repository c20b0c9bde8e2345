#include "MediaTestHome.h"

#include "media/AdManager.h"
#include "media/FolderIndex.h"
#include "media/VideoManager.h"

namespace {
QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// One setup of a photo index: "forced before, set up, forced after:names in order", each flag 0 or 1.
QString setUp(PhotoManager &photos)
{
    const bool forced = photos.needForceSetup(), ok = photos.setup();
    return u"%1%2%3:"_s.arg(int(forced)).arg(int(ok)).arg(int(photos.needForceSetup())) +
           sorted(photos.arrPhotoNames()).join(u',');
}
} // namespace

class TestMediaIndex : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MediaTestHome> home;

private slots:
    void init() { home = std::make_unique<MediaTestHome>(); }

    void folderIndex_data()
    {
        QTest::addColumn<QStringList>("entries"); // a trailing "/" makes a folder
        QTest::addColumn<QString>("kind");        // what "media" is: a folder, a file or nothing
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QStringList>("names");

        const QStringList mixed = {u"00002.jpg"_s, u"菜单.png"_s,  u"notes.txt"_s, u".hidden"_s,
                                   u".DS_Store"_s, u".ds_store"_s, u"sub/"_s,      u"00001.JPG"_s};
        QTest::newRow("every entry but .DS_Store")
            << mixed << u"folder"_s << true
            << QStringList{u".ds_store"_s, u".hidden"_s, u"00001.JPG"_s, u"00002.jpg"_s,
                           u"notes.txt"_s, u"sub"_s,     u"菜单.png"_s};
        QTest::newRow("empty folder") << QStringList() << u"folder"_s << true << QStringList();
        QTest::newRow("only .DS_Store")
            << QStringList{u".DS_Store"_s} << u"folder"_s << true << QStringList();
        QTest::newRow("missing folder") << QStringList() << QString() << false << QStringList();
        QTest::newRow("a file, not a folder") << QStringList() << u"file"_s << false << QStringList();
    }
    void folderIndex()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, kind);
        QFETCH(bool, listed);
        QFETCH(QStringList, names);

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

    void photoSetupRescansOnlyAfterNewPackage()
    {
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/00001.jpg"_s)));
        PhotoManager photos;
        QCOMPARE(setUp(photos), u"110:00001.jpg"_s);
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/00002.jpg"_s)));
        QCOMPARE(setUp(photos), u"010:00001.jpg"_s);
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QCOMPARE(setUp(photos), u"110:00001.jpg,00002.jpg"_s);
        QCOMPARE(photos.dictBigPhotos().value(u"00002.jpg"_s), home->dataPath(u"foodPicBig/00002.jpg"_s));
    }

    void photoSetupRescansWhileTheIndexIsEmpty()
    {
        QVERIFY(QDir().mkpath(home->dataPath(u"foodPicBig"_s)));
        PhotoManager photos;
        QCOMPARE(setUp(photos), u"110:"_s);
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/00003.jpg"_s)));
        QCOMPARE(setUp(photos), u"010:00003.jpg"_s);
    }

    void photoSetupFollowsTheDataFolder()
    {
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/00001.jpg"_s)));
        PhotoManager photos;
        QVERIFY(photos.setup());

        home->usePackage(u"empty"_s); // data deleted: the folder does not exist
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QCOMPARE(setUp(photos), u"100:"_s);
        QVERIFY(photos.dictBigPhotos().isEmpty());
        QVERIFY(!photos.getImagePathByFoodno(u"00001"_s));
    }

    void imagePathByFoodno_data()
    {
        QTest::addColumn<QString>("foodno");
        QTest::addColumn<bool>("found");
        QTest::newRow("its own file") << u"00001"_s << true;
        QTest::newRow("letter case differs") << u"a01"_s << false;
        QTest::newRow("same letter case") << u"A01"_s << true;
        QTest::newRow("number with extension") << u"00001.jpg"_s << false;
        QTest::newRow("other extension only") << u"00009"_s << false;
        QTest::newRow("empty number") << QString() << false;
    }
    void imagePathByFoodno()
    {
        QFETCH(QString, foodno);
        QFETCH(bool, found);
        for (const char *name : {"00001.jpg", "A01.jpg", "00009.png"})
            QVERIFY(MediaTestHome::writeFile(home->dataPath(u"foodPicBig/"_s + QLatin1String(name))));
        PhotoManager photos;
        QVERIFY(photos.setup());
        const std::optional<QString> path = photos.getImagePathByFoodno(foodno);
        QCOMPARE(path.has_value(), found);
        if (found)
            QCOMPARE(*path, home->dataPath(u"foodPicBig/"_s + foodno + u".jpg"_s));
    }

    void adAndVideoIndexes()
    {
        for (const char *name : {"AdPicture/01春节.jpg", "AdPicture/.DS_Store", "AdVideo/店面.mp4"})
            QVERIFY(MediaTestHome::writeFile(home->dataPath(QString::fromUtf8(name))));
        AdManager ads;
        VideoManager videos;
        QVERIFY(ads.setup() && videos.setup());
        QCOMPARE(ads.arrPhotoNames() + videos.arrVideoNames(), (QStringList{u"01春节.jpg"_s, u"店面.mp4"_s}));
        QCOMPARE(
            (QStringList{ads.dictBigPhotos().value(u"01春节.jpg"_s),
                         videos.dictVideos().value(u"店面.mp4"_s)}),
            (QStringList{home->dataPath(u"AdPicture/01春节.jpg"_s), home->dataPath(u"AdVideo/店面.mp4"_s)}));

        // A new package without these folders empties both at their next setup.
        home->usePackage(u"other"_s);
        QVERIFY(!ads.setup() && !videos.setup());
        QVERIFY(ads.arrPhotoNames().isEmpty() && ads.dictBigPhotos().isEmpty());
        QVERIFY(videos.arrVideoNames().isEmpty() && videos.dictVideos().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMediaIndex)
#include "tst_media_index.moc"
