#include "MediaTestHome.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/AudioBackend.h"
#include "media/SoundManager.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

namespace {

// Writes down every call, and whether each came on the main thread.
class RecordingBackend : public AudioBackend {
public:
    explicit RecordingBackend(QStringList *log) : log_(log) {}

    void loadEffect(const QString &name, const QString &path) override
    {
        record(QStringLiteral("load ") + name + u' ' + QFileInfo(path).fileName());
    }
    void playEffect(const QString &name) override { record(QStringLiteral("play ") + name); }
    void newMusicPlayer(const QString &path) override
    {
        playing_ = false;
        record(QStringLiteral("player ") + QFileInfo(path).fileName());
    }
    bool isMusicPlaying() const override { return playing_; }
    void startMusicLooping() override
    {
        playing_ = true;
        record(QStringLiteral("start"));
    }
    void stopMusic() override
    {
        playing_ = false;
        record(QStringLiteral("stop"));
    }

private:
    void record(const QString &call)
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            *log_ << QStringLiteral("OFF MAIN THREAD: ") + call;
        else
            *log_ << call;
    }
    QStringList *log_;
    bool playing_ = false;
};

class MusicNotifications : public QObject {
public:
    MusicNotifications()
    {
        for (const QString &name : {Notify::BgMusicPlaying, Notify::BgMusicStop})
            NotificationCenter::defaultCenter().addObserver(
                this, name, [this](const Notification &n) { seen << n.name; });
    }
    QStringList seen;
};

using Play = void (SoundManager::*)();
const QList<std::pair<QString, Play>> kEffects = {
    {QStringLiteral("bnok"), &SoundManager::bnok},   {QStringLiteral("bncancel"), &SoundManager::bncancel},
    {QStringLiteral("flip"), &SoundManager::flip},   {QStringLiteral("turnL"), &SoundManager::turnL},
    {QStringLiteral("turnR"), &SoundManager::turnR}, {QStringLiteral("close"), &SoundManager::close}};

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
            fileName ? std::optional<QString>(home->dataPath(QStringLiteral("BgMusic/") + *fileName))
                     : std::nullopt);
    }

private slots:
    void init()
    {
        home = std::make_unique<MediaTestHome>();
        resources = std::make_unique<QTemporaryDir>();
        AppPaths::setResourcesDir(resources->path());
        for (const QString &name : SoundManager::kEffectNames)
            QVERIFY(MediaTestHome::writeFile(resources->filePath(name + QStringLiteral(".wav"))));
        for (const char *name : {"茉莉花.wav", "流水.mp3", ".DS_Store"})
            QVERIFY(MediaTestHome::writeFile(
                home->dataPath(QStringLiteral("BgMusic/") + QString::fromUtf8(name))));
        log.clear();
    }

    void effects_data()
    {
        QTest::addColumn<QString>("effect");
        QTest::addColumn<bool>("silent");
        for (const auto &[name, play] : kEffects) {
            QTest::newRow(qPrintable(name)) << name << false;
            QTest::newRow(qPrintable(name + QStringLiteral(", silent"))) << name << true;
        }
    }
    void effects()
    {
        QFETCH(QString, effect);
        QFETCH(bool, silent);
        ConfigManager::defaultManager().setSilentMode(silent);
        auto sounds = manager();
        for (const auto &[name, play] : kEffects) {
            if (name == effect)
                (sounds.get()->*play)();
        }
        QCOMPARE(log, silent ? QStringList() : QStringList{QStringLiteral("play ") + effect});
    }

    void setupLoadsTheEffectsOnceAndIndexesTheMusic()
    {
        QVERIFY(QFile::remove(resources->filePath(QStringLiteral("turnR.wav"))));
        chooseMusic(QStringLiteral("茉莉花.wav"));
        auto sounds = manager();
        sounds->setup();
        QCOMPARE(log, (QStringList{
                          QStringLiteral("load bncancel bncancel.wav"), QStringLiteral("load bnok bnok.wav"),
                          QStringLiteral("load close close.wav"), QStringLiteral("load flip flip.wav"),
                          QStringLiteral("load turnL turnL.wav"), QStringLiteral("player 茉莉花.wav")}));
        QStringList names = sounds->arrBgMusic();
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("流水.mp3"), QStringLiteral("茉莉花.wav")}));
        QCOMPARE(sounds->dictBgMusic().value(QStringLiteral("流水.mp3")),
                 home->dataPath(QStringLiteral("BgMusic/流水.mp3")));

        log.clear();
        sounds->setup();
        QCOMPARE(log, QStringList{QStringLiteral("player 茉莉花.wav")});
    }

    void setupWithoutMusic_data()
    {
        QTest::addColumn<bool>("folderMissing");
        QTest::addColumn<std::optional<QString>>("chosen");
        QTest::newRow("nothing chosen") << false << std::optional<QString>();
        QTest::newRow("empty choice") << false << std::optional<QString>(QString());
        QTest::newRow("folder missing") << true << std::optional<QString>(QStringLiteral("茉莉花.wav"));
    }
    void setupWithoutMusic()
    {
        QFETCH(bool, folderMissing);
        QFETCH(std::optional<QString>, chosen);
        if (folderMissing)
            home->usePackage(QStringLiteral("empty"));
        if (chosen && chosen->isEmpty())
            ConfigManager::defaultManager().setBgMusicPath(QString());
        else
            chooseMusic(chosen);
        auto sounds = manager();
        sounds->setup();
        QCOMPARE(log.filter(QStringLiteral("player")), QStringList());
        QCOMPARE(sounds->arrBgMusic().isEmpty(), folderMissing);
        QCOMPARE(sounds->dictBgMusic().isEmpty(), folderMissing);
    }

    void playAndStopMusic_data()
    {
        QTest::addColumn<std::optional<QString>>("chosen");
        QTest::addColumn<QString>("steps"); // p = playBgMusic, s = stopBgMusic, u = setup
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("posted");
        const QString playing = Notify::BgMusicPlaying, stopped = Notify::BgMusicStop;
        const std::optional<QString> none, song = QStringLiteral("茉莉花.wav");
        QTest::newRow("play without music")
            << none << QStringLiteral("p") << QStringList() << QStringList{playing};
        QTest::newRow("stop without music")
            << none << QStringLiteral("s") << QStringList() << QStringList{stopped};
        QTest::newRow("play") << song << QStringLiteral("p")
                              << QStringList{QStringLiteral("player 茉莉花.wav"), QStringLiteral("start")}
                              << QStringList{playing};
        QTest::newRow("play again restarts")
            << song << QStringLiteral("pp")
            << QStringList{QStringLiteral("player 茉莉花.wav"), QStringLiteral("start"),
                           QStringLiteral("stop"), QStringLiteral("player 茉莉花.wav"),
                           QStringLiteral("start")}
            << QStringList{playing, playing};
        QTest::newRow("play, stop, stop") << song << QStringLiteral("pss")
                                          << QStringList{QStringLiteral("player 茉莉花.wav"),
                                                         QStringLiteral("start"), QStringLiteral("stop")}
                                          << QStringList{playing, stopped, stopped};
        QTest::newRow("new package while playing")
            << song << QStringLiteral("pu")
            << QStringList{QStringLiteral("player 茉莉花.wav"), QStringLiteral("start"),
                           QStringLiteral("player 茉莉花.wav")}
            << QStringList{playing, stopped};
        QTest::newRow("new package while stopped")
            << song << QStringLiteral("psu")
            << QStringList{QStringLiteral("player 茉莉花.wav"), QStringLiteral("start"),
                           QStringLiteral("stop"), QStringLiteral("player 茉莉花.wav")}
            << QStringList{playing, stopped};
    }
    void playAndStopMusic()
    {
        QFETCH(std::optional<QString>, chosen);
        QFETCH(QString, steps);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, posted);
        for (const QString &name : SoundManager::kEffectNames)
            QFile::remove(resources->filePath(name + QStringLiteral(".wav")));
        chooseMusic(chosen);
        ConfigManager::defaultManager().setSilentMode(true); // effects only
        auto sounds = manager();
        MusicNotifications notifications;
        for (const QChar step : steps) {
            if (step == u'p')
                sounds->playBgMusic();
            else if (step == u's')
                sounds->stopBgMusic();
            else
                sounds->setup();
        }
        QCOMPARE(log, calls);
        QCOMPARE(notifications.seen, posted);
    }

    void callsFromAWorkerRunOnTheMainThread()
    {
        chooseMusic(QStringLiteral("茉莉花.wav"));
        auto sounds = manager();
        MusicNotifications notifications;
        QThread *worker = QThread::create([&] {
            sounds->bnok();
            sounds->playBgMusic();
        });
        worker->start();
        QVERIFY(worker->wait(10000));
        delete worker;
        QTRY_COMPARE(log.size(), 3);
        QCOMPARE(log, (QStringList{QStringLiteral("play bnok"), QStringLiteral("player 茉莉花.wav"),
                                   QStringLiteral("start")}));
        QCOMPARE(notifications.seen, QStringList{Notify::BgMusicPlaying});
    }
};

QTEST_GUILESS_MAIN(TestMediaSound)
#include "tst_media_sound.moc"
