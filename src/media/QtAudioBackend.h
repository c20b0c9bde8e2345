#pragma once

#include "media/AudioBackend.h"

#include <QHash>

#include <memory>

class QAudioOutput;
class QMediaPlayer;
class QSoundEffect;

// QSoundEffect for the effects, QMediaPlayer with QAudioOutput for the music. Without an audio
// device both stay silent: nothing fails, nothing waits. Lives on the main thread.
class QtAudioBackend : public AudioBackend {
public:
    // The longest the destructor waits for effects still being decoded.
    static constexpr int kEffectLoadWaitMs = 3000;

    QtAudioBackend();
    ~QtAudioBackend() override;

    void loadEffect(const QString &name, const QString &path) override;
    void playEffect(const QString &name) override;
    void newMusicPlayer(const QString &path) override;
    bool isMusicPlaying() const override;
    void startMusicLooping() override;
    void stopMusic() override;

private:
    // True while an effect's file is still being decoded.
    bool isLoadingEffects() const;

    QHash<QString, std::shared_ptr<QSoundEffect>> effects_;
    // The player goes before its output.
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};
