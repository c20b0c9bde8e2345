// Thumbnails made from the dish pictures; the effects and the background music.
#include "MediaTestHome.h"
#include "TestRows.h"

#include "media/Thumbnail.h"
#include "server/NotificationLog.h"
#include "ui/RecordingAudio.h"

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

// The music notifications, as "name|" (they carry no object).
struct MusicNotifications : NotificationLog {
    MusicNotifications() : NotificationLog({Notify::BgMusicPlaying, Notify::BgMusicStop}) {}
};
const QString kPlaying = Notify::BgMusicPlaying + u'|', kStopped = Notify::BgMusicStop + u'|';

using Play = void (SoundManager::*)();
const QList<std::pair<QString, Play>> kEffects = {
    {u"bnok"_s, &SoundManager::bnok},   {u"bncancel"_s, &SoundManager::bncancel},
    {u"flip"_s, &SoundManager::flip},   {u"turnL"_s, &SoundManager::turnL},
    {u"turnR"_s, &SoundManager::turnR}, {u"close"_s, &SoundManager::close}};

} // namespace

class TestMediaThumbnail : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MediaTestHome> home;
    QString picture;
    std::unique_ptr<QTemporaryDir> resources;
    QStringList log;

    std::unique_ptr<SoundManager> manager()
    {
        return std::make_unique<SoundManager>(std::make_unique<RecordingAudio>(&log, true));
    }
    void chooseMusic(const std::optional<QString> &fileName)
    {
        ConfigManager::defaultManager().setBgMusicPath(
            fileName ? std::optional<QString>(home->dataPath(u"BgMusic/"_s + *fileName)) : std::nullopt);
    }

private slots:
    void init()
    {
        home = std::make_unique<MediaTestHome>();
        picture = home->dataPath(u"foodPicBig/00001.jpg"_s);
        QVERIFY(MediaTestHome::writePicture(picture));
        resources = std::make_unique<QTemporaryDir>();
        AppPaths::setResourcesDir(resources->path());
        for (const QString &name : SoundManager::kEffectNames)
            QVERIFY(MediaTestHome::writeFile(resources->filePath(name + u".wav"_s)));
        for (const char *name : {"茉莉花.wav", "流水.mp3", ".DS_Store"})
            QVERIFY(MediaTestHome::writeFile(home->dataPath(u"BgMusic/"_s + QString::fromUtf8(name))));
        log.clear();
    }

    void madeAtTheAreaSizeAsHalfQualityJpeg_data()
    {
        columns<QRectF, qreal, QSize>("area", "scale", "pixels");
        QTest::newRow("menu grid") << PhotoManager::kMenuThumbnailArea << 1.0 << QSize(341, 304);
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
    }

    void nothingWrittenWithoutAPicture_data()
    {
        // source: relative to the data folder; empty for no path
        columns<QString, QByteArray, QRectF>("source", "bytes", "area");
        const QRectF menu = PhotoManager::kMenuThumbnailArea;
        QTest::newRow("missing file") << u"foodPicBig/00404.jpg"_s << QByteArray() << menu;
        QTest::newRow("truncated jpeg")
            << u"foodPicBig/00002.jpg"_s << QByteArray("\xff\xd8\xff\xe0") << menu;
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

    // The effects and the background music.
    void effects_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("sound") << false;
        QTest::newRow("silent") << true;
    }
    void effects()
    {
        QFETCH(bool, silent);
        ConfigManager::defaultManager().setSilentMode(silent);
        auto sounds = manager();
        QStringList expected;
        for (const auto &[name, play] : kEffects) {
            (sounds.get()->*play)();
            expected << u"play "_s + name;
        }
        QCOMPARE(log, silent ? QStringList() : expected);
    }

    void setupLoadsTheEffectsOnceAndIndexesTheMusic()
    {
        QVERIFY(QFile::remove(resources->filePath(u"turnR.wav"_s)));
        chooseMusic(u"茉莉花.wav"_s);
        auto sounds = manager();
        sounds->setup();
        QCOMPARE(log, (QStringList{u"load bncancel bncancel.wav"_s, u"load bnok bnok.wav"_s,
                                   u"load close close.wav"_s, u"load flip flip.wav"_s,
                                   u"load turnL turnL.wav"_s, u"player 茉莉花.wav"_s}));
        QCOMPARE(sorted(sounds->arrBgMusic()), (QStringList{u"流水.mp3"_s, u"茉莉花.wav"_s}));
        QCOMPARE(sounds->dictBgMusic().value(u"流水.mp3"_s), home->dataPath(u"BgMusic/流水.mp3"_s));

        log.clear();
        sounds->setup();
        QCOMPARE(log, QStringList{u"player 茉莉花.wav"_s});
    }

    void setupWithoutMusic_data()
    {
        columns<bool, std::optional<QString>>("folderMissing", "chosen");
        QTest::newRow("nothing chosen") << false << std::optional<QString>();
        QTest::newRow("folder missing") << true << std::optional<QString>(u"茉莉花.wav"_s);
    }
    void setupWithoutMusic()
    {
        auto [folderMissing, chosen] = row<bool, std::optional<QString>>("folderMissing", "chosen");
        if (folderMissing)
            home->usePackage(u"empty"_s);
        chooseMusic(chosen);
        auto sounds = manager();
        sounds->setup();
        QCOMPARE(log.filter(u"player"_s), QStringList());
        QCOMPARE(sounds->arrBgMusic().isEmpty(), folderMissing);
        QCOMPARE(sounds->dictBgMusic().isEmpty(), folderMissing);
    }

    void playAndStopMusic_data()
    {
        // steps: p = playBgMusic, s = stopBgMusic, u = setup
        columns<std::optional<QString>, QString, QStringList, QStringList>("chosen", "steps", "calls",
                                                                           "posted");
        const QString playing = kPlaying, stopped = kStopped;
        const std::optional<QString> none, song = u"茉莉花.wav"_s;
        QTest::newRow("play without music") << none << u"p"_s << QStringList() << QStringList{playing};
        QTest::newRow("play, stop, stop")
            << song << u"pss"_s << QStringList{u"player 茉莉花.wav"_s, u"start"_s, u"stop"_s}
            << QStringList{playing, stopped, stopped};
        QTest::newRow("new package while playing")
            << song << u"pu"_s << QStringList{u"player 茉莉花.wav"_s, u"start"_s, u"player 茉莉花.wav"_s}
            << QStringList{playing, stopped};
    }
    void playAndStopMusic()
    {
        auto [chosen, steps, calls, posted] = row<std::optional<QString>, QString, QStringList, QStringList>(
            "chosen", "steps", "calls", "posted");
        for (const QString &name : SoundManager::kEffectNames)
            QFile::remove(resources->filePath(name + u".wav"_s));
        chooseMusic(chosen);
        ConfigManager::defaultManager().setSilentMode(true); // effects only
        auto sounds = manager();
        MusicNotifications notifications;
        for (const QChar step : steps)
            step == u'p' ? sounds->playBgMusic() : step == u's' ? sounds->stopBgMusic() : sounds->setup();
        QCOMPARE(log, calls);
        QCOMPARE(notifications.entries, posted);
    }

    void callsFromAWorkerRunOnTheMainThread()
    {
        chooseMusic(u"茉莉花.wav"_s);
        auto sounds = manager();
        MusicNotifications notifications;
        QThread *worker = QThread::create([&] {
            sounds->bnok();
            sounds->playBgMusic();
        });
        worker->start();
        QVERIFY(worker->wait(10000));
        delete worker;
        QTRY_COMPARE(log, (QStringList{u"play bnok"_s, u"player 茉莉花.wav"_s, u"start"_s}));
        QCOMPARE(notifications.entries, QStringList{kPlaying});
    }

    // The real audio: this machine and CI have no sound device, and a missing device (or a file that
    // is no sound at all) must leave the terminal silent, never failing or waiting.
    void realAudioOnASilentMachine_data()
    {
        QTest::addColumn<QString>("music");
        QTest::newRow("a real tune") << u"翻页.wav"_s;
        QTest::newRow("not a sound") << u"broken.wav"_s;
        QTest::newRow("missing file") << u"gone.wav"_s;
    }
    void realAudioOnASilentMachine()
    {
        QFETCH(QString, music);
        AppPaths::setResourcesDir(qEnvironmentVariable("DIANCAI_RESOURCES"));
        QVERIFY(QFile::copy(AppPaths::resourcePath(u"flip.wav"_s), home->dataPath(u"BgMusic/翻页.wav"_s)));
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"BgMusic/broken.wav"_s), "RIFF? no"));
        chooseMusic(music);
        SoundManager::resetDefaultManager();
        SoundManager &sounds = SoundManager::defaultManager();
        MusicNotifications notifications;
        for (const auto &[name, play] : kEffects)
            (sounds.*play)();
        sounds.playBgMusic();
        QTest::qWait(150); // the player meets the missing device or the broken file meanwhile
        sounds.playBgMusic();
        QTest::qWait(50);
        sounds.stopBgMusic();
        QCOMPARE(notifications.entries, (QStringList{kPlaying, kPlaying, kStopped}));

        // A new package's music is listed at once.
        QVERIFY(!sounds.arrBgMusic().contains(u"新歌.wav"_s));
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"BgMusic/新歌.wav"_s)));
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QVERIFY(sounds.arrBgMusic().contains(u"新歌.wav"_s));
        SoundManager::resetDefaultManager();
    }
};

QTEST_GUILESS_MAIN(TestMediaThumbnail)
#include "tst_media_thumbnail.moc"
