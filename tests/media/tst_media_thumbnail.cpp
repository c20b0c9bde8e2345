#include "MediaTestHome.h"
#include "server/TestRows.h"

#include "media/Thumbnail.h"

#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFileInfo>

#include <atomic>

namespace {

// The first `count` entries, in file order, of the JPEG's first quantisation table: they tell the
// encoder's quality setting (libjpeg scales one standard table by it).
QList<int> firstQuantizers(const QByteArray &jpeg, int count)
{
    const qsizetype at = jpeg.indexOf(QByteArrayLiteral("\xff\xdb"));
    QList<int> values;
    if (at < 0 || at + 5 + count > jpeg.size() || (uchar(jpeg.at(at + 4)) >> 4) != 0)
        return values;
    for (int i = 0; i < count; ++i)
        values.append(uchar(jpeg.at(at + 5 + i)));
    return values;
}

// Every file below `folder`, relative to it.
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QString foodno(int n)
{
    return QString::asprintf("%05d", n);
}

} // namespace

class TestMediaThumbnail : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MediaTestHome> home;
    QString picture;

private slots:
    void init()
    {
        home = std::make_unique<MediaTestHome>();
        picture = home->dataPath(u"foodPicBig/00001.jpg"_s);
        QVERIFY(MediaTestHome::writePicture(picture));
    }

    void madeAtTheAreaSizeAsHalfQualityJpeg_data()
    {
        columns<QRectF, qreal, QSize>("area", "scale", "pixels");
        QTest::newRow("menu grid") << PhotoManager::kMenuThumbnailArea << 1.0 << QSize(341, 304);
        QTest::newRow("menu grid, double density")
            << PhotoManager::kMenuThumbnailArea << 2.0 << QSize(682, 608);
        QTest::newRow("set-meal cell, offset") << QRectF(25, 40, 160.4, 90.6) << 1.0 << QSize(160, 91);
        QTest::newRow("taller than the picture") << QRectF(0, 0, 30, 200) << 1.5 << QSize(45, 300);
    }
    void madeAtTheAreaSizeAsHalfQualityJpeg()
    {
        auto [area, scale, pixels] = row<QRectF, qreal, QSize>("area", "scale", "pixels");
        PhotoManager photos;
        photos.setPixelScale(scale);

        const QString path = photos.getSmallImagePathByName(u"00001"_s, picture, area);
        QCOMPARE(path, home->smallPicFolder() + u"/00001.jpg"_s);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage thumbnail = reader.read();
        QCOMPARE(thumbnail.size(), pixels);
        // Stretched, not cropped: red on the left edge, blue on the right.
        const QRgb left = thumbnail.pixel(0, pixels.height() / 2),
                   right = thumbnail.pixel(pixels.width() - 1, 0);
        QVERIFY2(qRed(left) > 200 && qBlue(left) < 60, "left edge is not red");
        QVERIFY2(qBlue(right) > 200 && qRed(right) < 60, "right edge is not blue");
        // Quality 50 leaves the standard luminance table unscaled: 16, 11, 12, 14, 12, 10 in file order.
        QCOMPARE(firstQuantizers(readAll(path), 6), (QList<int>{16, 11, 12, 14, 12, 10}));
        QCOMPARE(filesBelow(home->smallPicFolder()), QStringList{u"00001.jpg"_s});
    }

    void madeOnceWhateverSizeIsAskedLater()
    {
        PhotoManager photos;
        const QString path = photos.getSmallImagePathByName(u"00001"_s, picture, QRectF(0, 0, 100, 80));
        const QByteArray first = readAll(path);
        QVERIFY(!first.isEmpty());

        QVERIFY(MediaTestHome::writePicture(picture, QSize(400, 400)));
        QCOMPARE(photos.getSmallImagePathByName(u"00001"_s, picture, PhotoManager::kMenuThumbnailArea), path);
        QCOMPARE(readAll(path), first);
        QCOMPARE(QImage(path).size(), QSize(100, 80));

        // A thumbnail from an earlier run is used as it is.
        PhotoManager nextRun;
        QCOMPARE(nextRun.getSmallImagePathByFoodno(u"00001"_s), path);
        QCOMPARE(readAll(path), first);
    }

    void emptyThumbnailIsMadeAgainOthersAreKept()
    {
        PhotoManager photos;
        QVERIFY(photos.setup());
        const QString path = photos.smallImageFolder() + u"/00001.jpg"_s;
        QVERIFY(MediaTestHome::writeFile(path, QByteArray()));
        QCOMPARE(photos.getSmallImagePathByFoodno(u"00001"_s), path);
        QCOMPARE(QImage(path).size(), QSize(341, 304));

        // Two writers of one thumbnail: the first file stays.
        const QByteArray first = readAll(path);
        QVERIFY(!Thumbnail::write(picture, path, QSize(20, 20)));
        QCOMPARE(readAll(path), first);
        // A dish without a picture gets its path but no file.
        QCOMPARE(photos.getSmallImagePathByFoodno(u"00077"_s), home->smallPicFolder() + u"/00077.jpg"_s);
        QCOMPARE(filesBelow(home->smallPicFolder()), QStringList{u"00001.jpg"_s});
    }

    void nothingWrittenWithoutAPicture_data()
    {
        // source: relative to the data folder; empty for no path
        columns<QString, QByteArray, QRectF>("source", "bytes", "area");
        const QRectF menu = PhotoManager::kMenuThumbnailArea;
        QTest::newRow("no picture path") << QString() << QByteArray() << menu;
        QTest::newRow("missing file") << u"foodPicBig/00404.jpg"_s << QByteArray() << menu;
        QTest::newRow("truncated jpeg")
            << u"foodPicBig/00002.jpg"_s << QByteArray("\xff\xd8\xff\xe0") << menu;
        QTest::newRow("empty area") << u"foodPicBig/00001.jpg"_s << QByteArray() << QRectF(0, 0, 0, 80);
        QTest::newRow("huge area") << u"foodPicBig/00001.jpg"_s << QByteArray() << QRectF(0, 0, 1e9, 1e9);
        QTest::newRow("not a number")
            << u"foodPicBig/00001.jpg"_s << QByteArray() << QRectF(0, 0, qQNaN(), 80);
    }
    void nothingWrittenWithoutAPicture()
    {
        auto [source, bytes, area] = row<QString, QByteArray, QRectF>("source", "bytes", "area");
        QString path = source.isEmpty() ? QString() : home->dataPath(source);
        if (!bytes.isEmpty())
            QVERIFY(MediaTestHome::writeFile(path, bytes));

        PhotoManager photos;
        const QString thumbnail = photos.getSmallImagePathByName(u"00002"_s, path, area);
        QCOMPARE(thumbnail, home->smallPicFolder() + u"/00002.jpg"_s);
        QCOMPARE(filesBelow(home->smallPicFolder()), QStringList());
    }

    void namesThatAreNoFileNameGetNoPath_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"", ".", "..", "../escape", "a/b", "/tmp/abs", "a\\b"})
            QTest::newRow(name[0] ? name : "empty") << QString::fromLatin1(name);
        QTest::newRow("NUL") << u"a"_s + QChar(0) + u"b"_s;
    }
    void namesThatAreNoFileNameGetNoPath()
    {
        QFETCH(QString, name);
        const QStringList before = filesBelow(home->home());
        PhotoManager photos;
        QCOMPARE(photos.getSmallImagePathByName(name, picture, PhotoManager::kMenuThumbnailArea), QString());
        QCOMPARE(filesBelow(home->home()), before); // no "escape.jpg" beside the thumbnails either
    }

    void deleteSmallFolderStartsAfresh()
    {
        MediaTestHome::writeFile(home->smallPicFolder() + u"/00009.jpg"_s); // an earlier run's
        PhotoManager photos;
        const QString path = photos.getSmallImagePathByName(u"00001"_s, picture, QRectF(0, 0, 50, 50));
        photos.deleteSmallFolder();
        QVERIFY(!QFileInfo::exists(home->smallPicFolder()));

        QCOMPARE(photos.getSmallImagePathByName(u"00001"_s, picture, QRectF(0, 0, 70, 60)), path);
        QCOMPARE(QImage(path).size(), QSize(70, 60));
        QCOMPARE(filesBelow(home->smallPicFolder()), QStringList{u"00001.jpg"_s});

        // Thumbnails outlive the process: a fresh manager still removes them.
        PhotoManager nextRun;
        nextRun.deleteSmallFolder();
        QVERIFY(!QFileInfo::exists(home->smallPicFolder()));
    }

    // A reader that finds the file finds all of it: it appears only once complete.
    void readersNeverSeeAPartThumbnail()
    {
        const int count = 6;
        const QSize big(2400, 2400);
        PhotoManager photos;
        const QString folder = photos.smallImageFolder();
        std::atomic<int> complete{0};
        QStringList failures;
        std::unique_ptr<QThread> reader(QThread::create([&] {
            const QDeadlineTimer deadline(60000);
            for (int n = 0; n < count && !deadline.hasExpired(); ++n) {
                const QString path = folder + u'/' + foodno(n) + u".jpg"_s;
                while (!QFileInfo::exists(path) && !deadline.hasExpired())
                    QThread::yieldCurrentThread();
                const QByteArray bytes = readAll(path);
                QImage image;
                if (!bytes.endsWith(QByteArrayLiteral("\xff\xd9")) || !image.loadFromData(bytes) ||
                    image.size() != big)
                    failures << foodno(n) + u": "_s + QString::number(bytes.size()) + u" bytes"_s;
                else
                    ++complete;
            }
        }));
        reader->start();
        for (int n = 0; n < count; ++n)
            photos.getSmallImagePathByName(foodno(n), picture, QRectF(QPointF(0, 0), big));
        QVERIFY(reader->wait(90000));
        QCOMPARE(failures, QStringList());
        QCOMPARE(complete.load(), count);
    }

    // The menu's thumbnail task reads the index on its worker while new packages arrive and the
    // screens rescan on the main thread; the staff screen may also clear the thumbnails.
    void rescanWhileThumbnailsAreMadeOnAWorker()
    {
        for (int n = 0; n < 30; ++n) {
            QVERIFY(MediaTestHome::writePicture(
                home->dataPath(u"foodPicBig/"_s + foodno(n) + u".jpg"_s, u"pkgA"_s), QSize(48, 36)));
            QVERIFY(MediaTestHome::writePicture(
                home->dataPath(u"foodPicBig/"_s + foodno(n + 15) + u".jpg"_s, u"pkgB"_s), QSize(48, 36)));
        }
        home->usePackage(u"pkgA"_s);
        PhotoManager photos;
        QVERIFY(photos.setup());

        std::atomic<bool> stop{false};
        std::atomic<int> requests{0};
        QStringList wrongPaths;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            while (!stop) {
                for (int n = 0; n < 45; ++n) {
                    const QString path = photos.getSmallImagePathByFoodno(foodno(n));
                    if (!path.endsWith(u"/smallpic/"_s + foodno(n) + u".jpg"_s))
                        wrongPaths << path;
                    ++requests;
                }
            }
        }));
        worker->start();

        for (int round = 0; round < 40; ++round) {
            const QString package = round % 2 ? u"pkgA"_s : u"pkgB"_s;
            home->usePackage(package);
            NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
            QVERIFY(photos.setup());
            const QStringList names = photos.arrPhotoNames();
            const QHash<QString, QString> paths = photos.dictBigPhotos();
            QCOMPARE(QList<qsizetype>({names.size(), paths.size()}), QList<qsizetype>({30, 30}));
            for (const QString &path : paths)
                QVERIFY2(path.startsWith(home->home() + u'/' + package + u'/'), qPrintable(path));
            if (round % 20 == 10)
                photos.deleteSmallFolder();
            QCoreApplication::processEvents();
        }
        stop = true;
        QVERIFY(worker->wait(60000));
        QVERIFY(requests > 0);
        QCOMPARE(wrongPaths, QStringList());
        for (const QString &file : filesBelow(home->smallPicFolder()))
            QCOMPARE(QImage(home->smallPicFolder() + u'/' + file).size(), QSize(341, 304));
    }
};

QTEST_GUILESS_MAIN(TestMediaThumbnail)
#include "tst_media_thumbnail.moc"
