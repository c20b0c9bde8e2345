#include "media/QtAudioBackend.h"

#include "media/MediaBackend.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

QtAudioBackend::QtAudioBackend()
{
    MediaBackend::chooseDefault();
}

QtAudioBackend::~QtAudioBackend() = default;

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
