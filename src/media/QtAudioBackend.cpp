#include "media/QtAudioBackend.h"

#include "media/MediaBackend.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

QtAudioBackend::QtAudioBackend()
{
    MediaBackend::chooseDefault();
}

QtAudioBackend::~QtAudioBackend()
{
    // Qt's sample cache deadlocks when the process ends while an effect is still being decoded
    // (its destructor waits for the loader thread while holding the lock that thread needs), so
    // a terminal that quits right after starting would hang. The decoding takes milliseconds.
    const QDeadlineTimer deadline(kEffectLoadWaitMs);
    while (isLoadingEffects() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

bool QtAudioBackend::isLoadingEffects() const
{
    return std::any_of(effects_.cbegin(), effects_.cend(),
                       [](const auto &effect) { return effect->status() == QSoundEffect::Loading; });
}

void QtAudioBackend::loadEffect(const QString &name, const QString &path)
{
    auto effect = std::make_shared<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(name, std::move(effect));
}

void QtAudioBackend::playEffect(const QString &name)
{
    if (const auto effect = effects_.value(name))
        effect->play();
}

void QtAudioBackend::newMusicPlayer(const QString &path)
{
    player_.reset();
    if (!output_)
        output_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(output_.get());
    player_->setSource(QUrl::fromLocalFile(path));
}

bool QtAudioBackend::isMusicPlaying() const
{
    return player_ && player_->playbackState() == QMediaPlayer::PlayingState;
}

void QtAudioBackend::startMusicLooping()
{
    if (!player_)
        return;
    player_->setLoops(QMediaPlayer::Infinite);
    player_->play();
}

void QtAudioBackend::stopMusic()
{
    if (player_)
        player_->stop();
}
