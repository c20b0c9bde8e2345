// The home screen's music switch, sounds, report and update check, and the gallery and video screens.
#include "DevServerHarness.h"
#include "RecordingAudio.h"
#include "UiTestSupport.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "media/AdManager.h"
#include "media/SoundManager.h"
#include "server/MakerServiceAddress.h"
#include "server/UpdateChecker.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"
#include "ui/home/HomeViewController.h"
#include "ui/media/GalleryViewController.h"
#include "ui/media/VideoViewController.h"
#include "ui/shell/ImageStore.h"
#include "ui/shell/Navigator.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

const QString kMusicFile = u"music.mp3"_s;

class TestHome : public QObject {
    Q_OBJECT
private:
    QStringList log;
    std::unique_ptr<SoundManager> sound;
    QTemporaryDir musicDir;
    QString builtResources = AppPaths::resourcesDir();

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        QFile music(musicDir.filePath(kMusicFile));
        QVERIFY(music.open(QIODevice::WriteOnly));
    }

    void init()
    {
        log.clear();
        sound = std::make_unique<SoundManager>(std::make_unique<RecordingAudio>(&log));
        ConfigManager::defaultManager().setBgMusicPath(musicDir.filePath(kMusicFile));
    }

    void cleanup()
    {
        sound.reset();
        AppPaths::setResourcesDir(builtResources);
        DBManager::resetForTests();
        ConfigManager::defaultManager().setPlayBgMusic(false);
        ConfigManager::defaultManager().setBgMusicPath(std::nullopt);
        Navigator::instance().reset();
        NoticeBoard::instance().clear();
        SettingsStore::shared().remove(Key::ZipFileName);
        qputenv(MakerServiceAddress::kEnvironmentVariable, UiTest::kClosedAddress);
        ConfigManager::defaultManager().setPort(u"1"_s);
        QDir(AppPaths::home() + u"/pkg"_s).removeRecursively();
        UI_VERIFY_NO_WARNINGS();
    }

    // The shipped package's name and pictures: the window's home screen (tst_shell).
    void homeFollowsANewPackage()
    {
        QTemporaryDir resources;
        AppPaths::setResourcesDir(resources.path());
        DBManager::resetForTests();
        SettingsStore::shared().setValue(Key::ZipFileName, u"empty.first"_s);
        DBManager::defaultManager().setup();
        HomeViewController home;
        home.viewDidLoad();
        // Base data deleted, no picture shipped: no store name, and no picture rather than a broken one.
        QCOMPARE(home.storeName(), QString());
        QVERIFY(home.background().isEmpty());
        QVERIFY(home.welcomePicture().isEmpty());

        // The package has no picture: the shipped one.
        QImage shipped(64, 48, QImage::Format_RGB32);
        shipped.fill(Qt::darkRed);
        QVERIFY(shipped.save(resources.filePath(u"hotel.jpg"_s)));
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QVERIFY(!home.background().isEmpty());
        QCOMPARE(ImageStore::instance().image(HomeViewController::kBackgroundKey).size(), QSize(64, 48));

        const QString unpacked = AppPaths::home() + u"/pkg20261201"_s;
        QDir().mkpath(unpacked);
        for (const QFileInfo &entry : QDir(builtResources + u"/update"_s).entryInfoList(QDir::Files))
            QVERIFY(QFile::copy(entry.filePath(), unpacked + u'/' + entry.fileName()));
        SettingsStore::shared().setValue(Key::ZipFileName, u"pkg20261201.zip"_s);
        QSignalSpy title(&home, &HomeViewController::storeNameChanged);
        QSignalSpy picture(&home, &HomeViewController::backgroundChanged);
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QCOMPARE(home.storeName(), u"福满楼酒家"_s);
        QCOMPARE((QList<qsizetype>{title.count(), picture.count()}), (QList<qsizetype>{1, 1}));
        QCOMPARE(ImageStore::instance().image(HomeViewController::kBackgroundKey).size(),
                 QImage(unpacked + u"/MainBg.jpg"_s).size());
        QDir(unpacked).removeRecursively();
    }

    void switchPlaysAndStopsWithoutStoringTheChoice()
    {
        HomeViewController home;
        home.setSoundManager(sound.get());
        home.viewDidLoad();
        QVERIFY(!home.isMusicOn()); // the setting is off
        QCOMPARE(log, QStringList());
        QSignalSpy changed(&home, &HomeViewController::musicOnChanged);
        home.bgMusicSwitch();
        QVERIFY(home.isMusicOn());
        QCOMPARE(log, (QStringList{u"player "_s + kMusicFile, u"start"_s}));
        QVERIFY(!ConfigManager::defaultManager().playBgMusic());

        home.bgMusicSwitch();
        QVERIFY(!home.isMusicOn());
        QCOMPARE(log.last(), u"stop"_s);
        QVERIFY(!ConfigManager::defaultManager().playBgMusic());
        QCOMPARE(changed.count(), 2); // no flicker from the manager's own notifications

        // Music started or stopped elsewhere moves the switch.
        sound->playBgMusic();
        QVERIFY(home.isMusicOn());
        NotificationCenter::defaultCenter().post(Notify::BgMusicStop);
        QVERIFY(!home.isMusicOn());
        NotificationCenter::defaultCenter().post(Notify::BgMusicPlaying);
        QVERIFY(home.isMusicOn());
    }

    void eachLoadStartsTheMusicReportsAndChecksForAnUpdate_data()
    {
        columns<int, bool>("versionCode", "offered");
        QTest::newRow("this build's version") << 23 << false;
        QTest::newRow("a newer version") << 24 << true;
    }

    // With the music setting on. The development server is the ordering server and the maker's web
    // service; the report's and the offer's texts are checked in tst_package_webservice, same path.
    void eachLoadStartsTheMusicReportsAndChecksForAnUpdate()
    {
        const auto [versionCode, offered] = row<int, bool>("versionCode", "offered");
        DevServerHarness server;
        QVERIFY2(server.start(), qPrintable(server.lastError()));
        const QString port = QString::number(server.port());
        qputenv(MakerServiceAddress::kEnvironmentVariable, ("http://127.0.0.1:" + port).toUtf8());
        ConfigManager::defaultManager().setPort(port);
        QCOMPARE(server.controlPost(
                     u"/__control/update?versionCode=%1&versionName=2.1&"
                     "url=http%3A%2F%2Fexample.com%2Fdl&description=%E4%BF%AE%E5%A4%8D"_s.arg(versionCode)),
                 200);

        ConfigManager::defaultManager().setPlayBgMusic(true);
        HomeViewController home;
        home.setSoundManager(sound.get());
        home.viewDidLoad();
        QVERIFY(home.isMusicOn());
        QCOMPARE(log, (QStringList{u"player "_s + kMusicFile, u"start"_s}));
        QTRY_COMPARE(server.controlGet(u"/__control/reports"_s).value(u"reports"_s).toArray().size(), 1);
        QVERIFY(UpdateChecker::sharedInstance().waitForDone(10000));
        QCoreApplication::processEvents(); // the answer is handled on this thread
        QCOMPARE(NoticeBoard::instance().dialogVisible(), offered);
    }

    // Stops before the start or past the end are ignored.
    void galleryPagesThroughTheShippedPictures()
    {
        GalleryViewController gallery;
        gallery.viewDidLoad();
        QCOMPARE(gallery.pictures().size(), 3);
        QVERIFY(gallery.lostPicture().isEmpty());
        QStringList captions;
        for (int stop : {-1, 2, 1, 3}) {
            gallery.pagingStopped(stop);
            captions << gallery.caption();
        }
        QCOMPARE(captions, (QStringList{u"1 / 3"_s, u"3 / 3"_s, u"2 / 3"_s, u"2 / 3"_s}));
    }

    void missingPackageFolder()
    {
        SettingsStore::shared().setValue(Key::ZipFileName, u"missing.zip"_s);
        NoticeSpy shown;
        GalleryViewController gallery;
        gallery.viewDidLoad();
        QTRY_COMPARE(shown.texts(), QStringList{u"读取图片失败"_s});
        QCOMPARE(shown.kind(0), NoticeBoard::Error);
        QVERIFY(gallery.pictures().isEmpty());
        QCOMPARE(gallery.caption(), QString());
        QVERIFY(!gallery.lostPicture().isEmpty());
        QCOMPARE(ImageStore::instance().image(GalleryViewController::kLostPictureKey).size(),
                 AdManager::defaultLostImage().size());
    }

    void galleryLeavesAnUnreadablePictureEmpty()
    {
        const QString folder = UiTest::makePackage(u"AdPicture"_s, {u"broken.jpg"_s}, "not a picture");
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(folder + u"/good.png"_s));

        GalleryViewController gallery;
        gallery.viewDidLoad();
        const QStringList names = AdManager::defaultManager().arrPhotoNames();
        QCOMPARE(names.size(), 2);
        QCOMPARE(gallery.caption(), u"1 / 2"_s);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(gallery.pictures().at(i).isEmpty(), names.at(i) == u"broken.jpg"_s);
    }

    // The order entrance flips forward; the gallery's back button closes (where they lead: tst_shell).
    void buttonsPlayTheirSound()
    {
        HomeViewController home;
        GalleryViewController gallery;
        home.setSoundManager(sound.get());
        gallery.setSoundManager(sound.get());
        home.viewDidLoad();
        home.btnOrderHandler();
        Navigator::instance().reset();
        Navigator::instance().push(u"GalleryScreen"_s);
        gallery.goBack();
        QCOMPARE(log, (QStringList{u"play flip"_s, u"play close"_s}));
    }

    void videoListPlaysTheTappedRow_data()
    {
        columns<bool, int, bool, QString>("canPlay", "row", "playing", "notice");
        QTest::newRow("second row, unplayable") << true << 1 << true << u"视频播放失败"_s;
        QTest::newRow("past the end") << true << 2 << false << QString();
        QTest::newRow("no multimedia backend") << false << 0 << false << u"无法播放视频"_s;
    }

    void videoListPlaysTheTappedRow()
    {
        const auto [canPlay, tapped, playing, notice] =
            row<bool, int, bool, QString>("canPlay", "row", "playing", "notice");
        const QString folder = UiTest::makePackage(u"AdVideo"_s, {u"a.mp4"_s, u"b.mov"_s, u".DS_Store"_s});
        NoticeSpy shown;

        VideoViewController videos;
        videos.setCanPlay(canPlay);
        videos.viewDidLoad();
        QStringList names = videos.videoNames();
        names.sort();
        QCOMPARE(names, (QStringList{u"a.mp4"_s, u"b.mov"_s}));

        videos.playVideo(tapped);
        QCOMPARE(videos.isPlaying(), playing);
        if (playing) {
            QCOMPARE(videos.playingSource(),
                     QUrl::fromLocalFile(folder + u'/' + videos.videoNames().at(tapped)));
            videos.playbackFailed();
            QVERIFY(!videos.isPlaying());
        } else {
            QVERIFY(videos.playingSource().isEmpty());
        }
        QCoreApplication::processEvents();
        QTRY_COMPARE(shown.texts(), notice.isEmpty() ? QStringList() : QStringList{notice});
    }

    // The real screen: an unplayable file never takes the list away, with or without a multimedia backend.
    void unplayableVideoOnScreenReturnsToTheList()
    {
        QVERIFY(!UiTest::makePackage(u"AdVideo"_s, {u"broken.mp4"_s}, "not a video").isEmpty());
        NoticeSpy shown;

        auto engine = UiTest::makeEngine();
        auto window = UiTest::makeWindow();
        QVERIFY(window);
        std::unique_ptr<QQuickItem> screen(UiTest::createItem(*engine, *window, u"VideoScreen.qml"_s));
        QVERIFY(screen);
        screen->setSize(QSizeF(window->size()));
        QTRY_COMPARE(UiTest::findItems(screen.get(), u"videoRow"_s).size(), 1);
        QVERIFY(UiTest::waitForFrame(*window));
        UiTest::tap(UiTest::findItem(screen.get(), u"videoRow"_s));
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 10000);
        const QString notice = shown.text(0);
        QVERIFY2(notice == u"视频播放失败"_s || notice == u"无法播放视频"_s, qPrintable(notice));
        QTRY_VERIFY(UiTest::findItem(screen.get(), u"videoList"_s)->isVisible());
    }
};

DIANCAI_UI_TEST_MAIN(TestHome)
#include "tst_home.moc"
