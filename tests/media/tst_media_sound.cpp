#include "MediaTestHome.h"
#include "server/NotificationLog.h"
#include "server/TestRows.h"

#include "media/AudioBackend.h"

namespace {

// Writes down every call, marking those that did not come on the main thread.
class RecordingBackend : public AudioBackend {
public:
    explicit RecordingBackend(QStringList *log) : log_(log) {}

    void loadEffect(const QString &name, const QString &path) override
    {
        record(u"load "_s + name + u' ' + QFileInfo(path).fileName());
    }
    void playEffect(const QString &name) override { record(u"play "_s + name); }
    void newMusicPlayer(const QString &path) override
    {
        record(u"player "_s + QFileInfo(path).fileName(), false);
    }
    bool isMusicPlaying() const override { return playing_; }
    void startMusicLooping() override { record(u"start"_s, true); }
    void stopMusic() override { record(u"stop"_s, false); }

private:
    void record(const QString &call, std::optional<bool> playing = std::nullopt)
    {
        playing_ = playing.value_or(playing_);
        const bool onMain = QThread::currentThread() == QCoreApplication::instance()->thread();
        *log_ << (onMain ? QString() : u"OFF MAIN THREAD: "_s) + call;
    }
    QStringList *log_;
    bool playing_ = false;
};

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

class TestMediaSound : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MediaTestHome> home;
    std::unique_ptr<QTemporaryDir> resources;
    QStringList log;

    std::unique_ptr<SoundManager> manager()
    {
        return std::make_unique<SoundManager>(std::make_unique<RecordingBackend>(&log));
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
        resources = std::make_unique<QTemporaryDir>();
        AppPaths::setResourcesDir(resources->path());
        for (const QString &name : SoundManager::kEffectNames)
            QVERIFY(MediaTestHome::writeFile(resources->filePath(name + u".wav"_s)));
        for (const char *name : {"茉莉花.wav", "流水.mp3", ".DS_Store"})
            QVERIFY(MediaTestHome::writeFile(home->dataPath(u"BgMusic/"_s + QString::fromUtf8(name))));
        log.clear();
    }

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
        QTest::newRow("empty choice") << false << std::optional<QString>(QString());
        QTest::newRow("folder missing") << true << std::optional<QString>(u"茉莉花.wav"_s);
    }
    void setupWithoutMusic()
    {
        auto [folderMissing, chosen] = row<bool, std::optional<QString>>("folderMissing", "chosen");
        if (folderMissing)
            home->usePackage(u"empty"_s);
        if (chosen && chosen->isEmpty())
            ConfigManager::defaultManager().setBgMusicPath(QString());
        else
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
        QTest::newRow("stop without music") << none << u"s"_s << QStringList() << QStringList{stopped};
        QTest::newRow("play") << song << u"p"_s << QStringList{u"player 茉莉花.wav"_s, u"start"_s}
                              << QStringList{playing};
        QTest::newRow("play again restarts")
            << song << u"pp"_s
            << QStringList{u"player 茉莉花.wav"_s, u"start"_s, u"stop"_s, u"player 茉莉花.wav"_s, u"start"_s}
            << QStringList{playing, playing};
        QTest::newRow("play, stop, stop")
            << song << u"pss"_s << QStringList{u"player 茉莉花.wav"_s, u"start"_s, u"stop"_s}
            << QStringList{playing, stopped, stopped};
        QTest::newRow("new package while playing")
            << song << u"pu"_s << QStringList{u"player 茉莉花.wav"_s, u"start"_s, u"player 茉莉花.wav"_s}
            << QStringList{playing, stopped};
        QTest::newRow("new package while stopped")
            << song << u"psu"_s
            << QStringList{u"player 茉莉花.wav"_s, u"start"_s, u"stop"_s, u"player 茉莉花.wav"_s}
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

QTEST_GUILESS_MAIN(TestMediaSound)
#include "tst_media_sound.moc"
