// The home screen's own reactions: the music switch at start, when flipped and when the music is
// started or stopped elsewhere, the entrance sound and the welcome picture.
#include "UiTestSupport.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/AudioBackend.h"
#include "media/SoundManager.h"
#include "settings/ConfigManager.h"
#include "ui/HomeViewController.h"
#include "ui/Navigator.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
class RecordingBackend : public AudioBackend {
public:
    explicit RecordingBackend(QStringList *log) : log_(log) {}

    void loadEffect(const QString &, const QString &) override {}
    void playEffect(const QString &name) override { *log_ << u"play "_s + name; }
    void newMusicPlayer(const QString &path) override
    {
        playing_ = false;
        *log_ << u"player "_s + QFileInfo(path).fileName();
    }
    bool isMusicPlaying() const override { return playing_; }
    void startMusicLooping() override
    {
        playing_ = true;
        *log_ << u"start"_s;
    }
    void stopMusic() override
    {
        playing_ = false;
        *log_ << u"stop"_s;
    }

private:
    QStringList *log_;
    bool playing_ = false;
};

const QString kMusicFile = u"music.mp3"_s;
} // namespace

class TestHome : public QObject {
    Q_OBJECT
private:
    QStringList log;
    std::unique_ptr<SoundManager> sound;
    QTemporaryDir musicDir;

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        // A chosen music file: the backend only records its name.
        QFile music(musicDir.filePath(kMusicFile));
        QVERIFY(music.open(QIODevice::WriteOnly));
    }

    void init()
    {
        log.clear();
        sound = std::make_unique<SoundManager>(std::make_unique<RecordingBackend>(&log));
        ConfigManager::defaultManager().setBgMusicPath(musicDir.filePath(kMusicFile));
    }

    void cleanup()
    {
        sound.reset();
        ConfigManager::defaultManager().setPlayBgMusic(false);
        ConfigManager::defaultManager().setBgMusicPath(std::nullopt);
        Navigator::instance().reset();
        const QStringList warnings = UiTest::takeWarnings();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    }

    void musicAtStartFollowsTheSetting_data()
    {
        QTest::addColumn<bool>("setting");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("on") << true << QStringList{u"player "_s + kMusicFile, u"start"_s};
        QTest::newRow("off") << false << QStringList();
    }

    void musicAtStartFollowsTheSetting()
    {
        QFETCH(bool, setting);
        QFETCH(QStringList, played);
        ConfigManager::defaultManager().setPlayBgMusic(setting);
        HomeViewController home;
        home.setSoundManager(sound.get());
        home.viewDidLoad();
        QCOMPARE(home.isMusicOn(), setting);
        QCOMPARE(log, played);
    }

    void switchPlaysAndStopsWithoutStoringTheChoice()
    {
        HomeViewController home;
        home.setSoundManager(sound.get());
        home.viewDidLoad();
        QSignalSpy changed(&home, &HomeViewController::musicOnChanged);

        home.bgMusicSwitch();
        QVERIFY(home.isMusicOn());
        QCOMPARE(log, (QStringList{u"player "_s + kMusicFile, u"start"_s}));
        QVERIFY(!ConfigManager::defaultManager().playBgMusic());

        home.bgMusicSwitch();
        QVERIFY(!home.isMusicOn());
        QCOMPARE(log.last(), u"stop"_s);
        QVERIFY(!ConfigManager::defaultManager().playBgMusic());
        // The manager's own notifications agree with the switch: no flicker.
        QCOMPARE(changed.count(), 2);
    }

    void switchMirrorsMusicStartedElsewhere()
    {
        HomeViewController home;
        home.setSoundManager(sound.get());
        home.viewDidLoad();
        QVERIFY(!home.isMusicOn());
        sound->playBgMusic();
        QVERIFY(home.isMusicOn());
        NotificationCenter::defaultCenter().post(Notify::BgMusicStop);
        QVERIFY(!home.isMusicOn());
        NotificationCenter::defaultCenter().post(Notify::BgMusicPlaying);
        QVERIFY(home.isMusicOn());
    }

    void orderEntrancePlaysFlip()
    {
        HomeViewController home;
        home.setSoundManager(sound.get());
        home.viewDidLoad();
        home.btnOrderHandler();
        QCOMPARE(log, QStringList{u"play flip"_s});
        QCOMPARE(Navigator::instance().depth(), 2);
    }

    void welcomePictureIsTheShippedOne()
    {
        const HomeViewController home;
        QCOMPARE(home.welcomePicture(), QUrl::fromLocalFile(AppPaths::resourcePath(u"welcome.jpg"_s)));
        QVERIFY(QFileInfo::exists(home.welcomePicture().toLocalFile()));

        const QString shipped = AppPaths::resourcesDir();
        QTemporaryDir empty;
        AppPaths::setResourcesDir(empty.path());
        // Missing: no picture rather than a broken one.
        QVERIFY(home.welcomePicture().isEmpty());
        AppPaths::setResourcesDir(shipped);
    }
};

DIANCAI_UI_TEST_MAIN(TestHome)
#include "tst_home.moc"
