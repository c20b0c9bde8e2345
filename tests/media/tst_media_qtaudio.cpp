#include "MediaTestHome.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/SoundManager.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
        QVERIFY(QFileInfo::exists(AppPaths::resourcePath(u"bnok.wav"_s)));
        QVERIFY(QDir().mkpath(home->dataPath(u"BgMusic"_s)));
        QVERIFY(QFile::copy(AppPaths::resourcePath(u"flip.wav"_s), home->dataPath(u"BgMusic/翻页.wav"_s)));
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"BgMusic/broken.wav"_s), "RIFF? no"));
    }
    void cleanupTestCase() { SoundManager::resetDefaultManager(); }

    void silentMachinePlaysWithoutFailing_data()
    {
        QTest::addColumn<QString>("music");
        QTest::newRow("a real tune") << u"翻页.wav"_s;
        QTest::newRow("not a sound") << u"broken.wav"_s;
        QTest::newRow("missing file") << u"gone.wav"_s;
    }
    void silentMachinePlaysWithoutFailing()
    {
        QFETCH(QString, music);
        ConfigManager::defaultManager().setBgMusicPath(home->dataPath(u"BgMusic/"_s + music));
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
        QVERIFY(!sounds.arrBgMusic().contains(u"新歌.wav"_s));
        QVERIFY(MediaTestHome::writeFile(home->dataPath(u"BgMusic/新歌.wav"_s)));
        NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
        QVERIFY(sounds.arrBgMusic().contains(u"新歌.wav"_s));
    }
};

QTEST_GUILESS_MAIN(TestMediaQtAudio)
#include "tst_media_qtaudio.moc"
