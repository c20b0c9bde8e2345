#include "MediaTestHome.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/SoundManager.h"

#include <QTest>

// The real audio: this machine and CI have no sound device, and a missing device (or a file that
// is no sound at all) must leave the terminal silent, never failing or waiting.
class TestMediaQtAudio : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MediaTestHome> home;

private slots:
    void initTestCase()
    {
        home = std::make_unique<MediaTestHome>();
        QVERIFY(QFileInfo::exists(AppPaths::resourcePath(QStringLiteral("bnok.wav"))));
        QVERIFY(QDir().mkpath(home->dataPath(QStringLiteral("BgMusic"))));
        QVERIFY(QFile::copy(AppPaths::resourcePath(QStringLiteral("flip.wav")),
                            home->dataPath(QStringLiteral("BgMusic/翻页.wav"))));
        QVERIFY(MediaTestHome::writeFile(home->dataPath(QStringLiteral("BgMusic/broken.wav")), "RIFF? no"));
    }
    void cleanupTestCase() { SoundManager::resetDefaultManager(); }

    void silentMachinePlaysWithoutFailing_data()
    {
        QTest::addColumn<QString>("music");
        QTest::newRow("a real tune") << QStringLiteral("翻页.wav");
        QTest::newRow("not a sound") << QStringLiteral("broken.wav");
        QTest::newRow("missing file") << QStringLiteral("gone.wav");
    }
    void silentMachinePlaysWithoutFailing()
    {
        QFETCH(QString, music);
        ConfigManager::defaultManager().setBgMusicPath(home->dataPath(QStringLiteral("BgMusic/") + music));
        SoundManager &sounds = SoundManager::defaultManager();
        QStringList posted;
        QObject observer;
        for (const QString &name : {Notify::BgMusicPlaying, Notify::BgMusicStop})
            NotificationCenter::defaultCenter().addObserver(&observer, name,
                                                            [&](const Notification &n) { posted << n.name; });

        sounds.bnok();
        sounds.bncancel();
        sounds.flip();
        sounds.turnL();
        sounds.turnR();
        sounds.close();
        sounds.playBgMusic();
        QTest::qWait(300);
        sounds.playBgMusic();
        QTest::qWait(100);
        sounds.stopBgMusic();
        QCOMPARE(posted, (QStringList{Notify::BgMusicPlaying, Notify::BgMusicPlaying, Notify::BgMusicStop}));
    }

    void newPackageRescansTheMusicAtOnce()
    {
        SoundManager &sounds = SoundManager::defaultManager();
        QVERIFY(!sounds.arrBgMusic().contains(QStringLiteral("新歌.wav")));
        QVERIFY(MediaTestHome::writeFile(home->dataPath(QStringLiteral("BgMusic/新歌.wav"))));
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QVERIFY(sounds.arrBgMusic().contains(QStringLiteral("新歌.wav")));
    }
};

QTEST_GUILESS_MAIN(TestMediaQtAudio)
#include "tst_media_qtaudio.moc"
