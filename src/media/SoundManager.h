#pragma once

#include "media/AudioBackend.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The six short effects of navigation and ordering, and the background music. Every call is
// carried out on the main thread, where the multimedia objects live; a call from another thread
// is handed over to it without waiting.
class SoundManager : public QObject {
public:
    static inline const QStringList kEffectNames = {QStringLiteral("bncancel"), QStringLiteral("bnok"),
                                                    QStringLiteral("close"),    QStringLiteral("flip"),
                                                    QStringLiteral("turnL"),    QStringLiteral("turnR")};

    // Created on first use over the platform's audio; subscribes to new packages, then runs setup.
    static SoundManager &defaultManager();
    static void resetDefaultManager();

    // A manager over the given backend (tests); not subscribed and not set up.
    explicit SoundManager(std::unique_ptr<AudioBackend> backend);
    ~SoundManager() override;

    // Loads the effects (first run only), indexes the music folder and, when it could be listed
    // and a music file is chosen, prepares a new player for it without starting it.
    void setup();
    void loadNewUpdateFile() { setup(); }

    const QStringList &arrBgMusic() const { return arrBgMusic_; }
    const QHash<QString, QString> &dictBgMusic() const { return dictBgMusic_; }

    // Effects; none plays while the setting `silentMode` is on.
    void bnok() { playEffect(QStringLiteral("bnok")); }
    void bncancel() { playEffect(QStringLiteral("bncancel")); }
    void flip() { playEffect(QStringLiteral("flip")); }
    void turnL() { playEffect(QStringLiteral("turnL")); }
    void turnR() { playEffect(QStringLiteral("turnR")); }
    void close() { playEffect(QStringLiteral("close")); }

    // Restarts the chosen music (if any) looping, then posts "kBgMusicPlaying" in every case.
    // Whether music should play at all is the caller's decision (setting `playBgMusic`).
    void playBgMusic();
    // Stops the music and posts "kBgMusicStop".
    void stopBgMusic();

private:
    void subscribe();
    void playEffect(const QString &name);
    // Runs `work` now on the main thread, else queues it there.
    void onMainThread(std::function<void()> work);

    std::unique_ptr<AudioBackend> backend_;
    bool effectsLoaded_ = false;
    QStringList arrBgMusic_;
    QHash<QString, QString> dictBgMusic_;
};
