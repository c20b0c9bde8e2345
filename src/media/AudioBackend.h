#pragma once

#include <QString>

// What SoundManager needs from the platform's audio: short effects played by name, and one
// looping music player. Tests put a recording backend in its place.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Registers a short effect; a file that cannot be decoded later plays nothing.
    virtual void loadEffect(const QString &name, const QString &path) = 0;
    // Unknown names play nothing.
    virtual void playEffect(const QString &name) = 0;

    // Replaces the music player (dropping the old one) with one prepared for `path`, not started.
    virtual void newMusicPlayer(const QString &path) = 0;
    virtual bool isMusicPlaying() const = 0;
    // Starts the current player, repeating without end; nothing without a player.
    virtual void startMusicLooping() = 0;
    virtual void stopMusic() = 0;
};
