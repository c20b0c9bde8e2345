#include "MediaTestHome.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/AdManager.h"
#include "media/FolderIndex.h"
#include "media/PhotoManager.h"
#include "media/VideoManager.h"

#include <QTest>

namespace {
QStringList sorted(QStringList list)
{
    list.sort();
    return list;
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
        QTest::addColumn<bool>("makeFolder");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QStringList>("names");

        const QStringList mixed = {QStringLiteral("00002.jpg"), QStringLiteral("菜单.png"),
                                   QStringLiteral("notes.txt"), QStringLiteral(".hidden"),
                                   QStringLiteral(".DS_Store"), QStringLiteral(".ds_store"),
                                   QStringLiteral("sub/"),      QStringLiteral("00001.JPG")};
        QTest::newRow("every entry but .DS_Store")
            << mixed << true << true << QStringList{QStringLiteral(".ds_store"), QStringLiteral(".hidden"),
                                                    QStringLiteral("00001.JPG"), QStringLiteral("00002.jpg"),
                                                    QStringLiteral("notes.txt"), QStringLiteral("sub"),
                                                    QStringLiteral("菜单.png")};
        QTest::newRow("empty folder") << QStringList() << true << true << QStringList();
        QTest::newRow("only .DS_Store")
            << QStringList{QStringLiteral(".DS_Store")} << true << true << QStringList();
        QTest::newRow("missing folder") << QStringList() << false << false << QStringList();
    }
    void folderIndex()
    {
        QFETCH(QStringList, entries);
        QFETCH(bool, makeFolder);
        QFETCH(bool, listed);
        QFETCH(QStringList, names);

        const QString folder = home->dataPath(QStringLiteral("media"));
        if (makeFolder)
            QVERIFY(QDir().mkpath(folder));
        for (const QString &entry : entries) {
            if (entry.endsWith(u'/'))
                QVERIFY(QDir().mkpath(folder + u'/' + entry));
            else
                QVERIFY(MediaTestHome::writeFile(folder + u'/' + entry));
        }

        FolderIndex index;
        index.names = {QStringLiteral("stale")};
        index.paths.insert(QStringLiteral("stale"), QStringLiteral("/stale"));
        QCOMPARE(index.rebuild(folder), listed);
        QCOMPARE(sorted(index.names), names);
        QCOMPARE(index.paths.size(), names.size());
        for (const QString &name : names)
            QCOMPARE(index.paths.value(name), folder + u'/' + name);
    }

    void aFileIsNotAFolder()
    {
        const QString path = home->dataPath(QStringLiteral("foodPicBig"));
        QVERIFY(MediaTestHome::writeFile(path));
        FolderIndex index;
        QVERIFY(!index.rebuild(path));
        QVERIFY(index.names.isEmpty());
    }

    void photoSetupRescansOnlyAfterNewPackage()
    {
        QVERIFY(MediaTestHome::writeFile(home->dataPath(QStringLiteral("foodPicBig/00001.jpg"))));
        PhotoManager photos;
        QVERIFY(photos.needForceSetup());
        QVERIFY(photos.setup());
        QVERIFY(!photos.needForceSetup());
        QCOMPARE(photos.arrPhotoNames(), QStringList{QStringLiteral("00001.jpg")});

        QVERIFY(MediaTestHome::writeFile(home->dataPath(QStringLiteral("foodPicBig/00002.jpg"))));
        QVERIFY(photos.setup());
        QCOMPARE(photos.arrPhotoNames().size(), 1);

        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QVERIFY(photos.needForceSetup());
        QVERIFY(photos.setup());
        QCOMPARE(sorted(photos.arrPhotoNames()),
                 (QStringList{QStringLiteral("00001.jpg"), QStringLiteral("00002.jpg")}));
        QCOMPARE(photos.dictBigPhotos().value(QStringLiteral("00002.jpg")),
                 home->dataPath(QStringLiteral("foodPicBig/00002.jpg")));
    }

    void photoSetupRescansWhileTheIndexIsEmpty()
    {
        QVERIFY(QDir().mkpath(home->dataPath(QStringLiteral("foodPicBig"))));
        PhotoManager photos;
        QVERIFY(photos.setup());
        QVERIFY(photos.arrPhotoNames().isEmpty());
        QVERIFY(MediaTestHome::writeFile(home->dataPath(QStringLiteral("foodPicBig/00003.jpg"))));
        QVERIFY(photos.setup());
        QCOMPARE(photos.arrPhotoNames(), QStringList{QStringLiteral("00003.jpg")});
    }

    void photoSetupFollowsTheDataFolder()
    {
        QVERIFY(MediaTestHome::writeFile(home->dataPath(QStringLiteral("foodPicBig/00001.jpg"))));
        PhotoManager photos;
        QVERIFY(photos.setup());

        home->usePackage(QStringLiteral("empty")); // data deleted: the folder does not exist
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QVERIFY(!photos.setup());
        QVERIFY(!photos.needForceSetup());
        QVERIFY(photos.arrPhotoNames().isEmpty());
        QVERIFY(photos.dictBigPhotos().isEmpty());
        QVERIFY(!photos.getImagePathByFoodno(QStringLiteral("00001")));
    }

    void imagePathByFoodno_data()
    {
        QTest::addColumn<QString>("foodno");
        QTest::addColumn<bool>("found");
        QTest::newRow("its own file") << QStringLiteral("00001") << true;
        QTest::newRow("letter case differs") << QStringLiteral("a01") << false;
        QTest::newRow("same letter case") << QStringLiteral("A01") << true;
        QTest::newRow("number with extension") << QStringLiteral("00001.jpg") << false;
        QTest::newRow("trailing space") << QStringLiteral("00001 ") << false;
        QTest::newRow("other extension only") << QStringLiteral("00009") << false;
        QTest::newRow("empty number") << QString() << false;
    }
    void imagePathByFoodno()
    {
        QFETCH(QString, foodno);
        QFETCH(bool, found);
        for (const char *name : {"00001.jpg", "A01.jpg", "00009.png"})
            QVERIFY(MediaTestHome::writeFile(
                home->dataPath(QStringLiteral("foodPicBig/") + QLatin1String(name))));
        PhotoManager photos;
        QVERIFY(photos.setup());
        const std::optional<QString> path = photos.getImagePathByFoodno(foodno);
        QCOMPARE(path.has_value(), found);
        if (found)
            QCOMPARE(*path, home->dataPath(QStringLiteral("foodPicBig/") + foodno + QStringLiteral(".jpg")));
    }

    void adAndVideoIndexes()
    {
        for (const char *name : {"AdPicture/01春节.jpg", "AdPicture/.DS_Store", "AdVideo/店面.mp4"})
            QVERIFY(MediaTestHome::writeFile(home->dataPath(QString::fromUtf8(name))));
        AdManager ads;
        VideoManager videos;
        QVERIFY(ads.setup());
        QVERIFY(videos.setup());
        QCOMPARE(ads.arrPhotoNames(), QStringList{QStringLiteral("01春节.jpg")});
        QCOMPARE(ads.dictBigPhotos().value(QStringLiteral("01春节.jpg")),
                 home->dataPath(QStringLiteral("AdPicture/01春节.jpg")));
        QCOMPARE(videos.arrVideoNames(), QStringList{QStringLiteral("店面.mp4")});
        QCOMPARE(videos.dictVideos().value(QStringLiteral("店面.mp4")),
                 home->dataPath(QStringLiteral("AdVideo/店面.mp4")));

        // A new package without these folders empties both at their next setup.
        home->usePackage(QStringLiteral("other"));
        QVERIFY(!ads.setup());
        QVERIFY(!videos.setup());
        QVERIFY(ads.arrPhotoNames().isEmpty() && ads.dictBigPhotos().isEmpty());
        QVERIFY(videos.arrVideoNames().isEmpty() && videos.dictVideos().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMediaIndex)
#include "tst_media_index.moc"
