#pragma once

#include "media/AudioBackend.h"

#include <QFileInfo>
#include <QStringList>

// An audio backend that plays nothing and writes down what it was asked: "play <effect>",
// "player <file name>", "start", "stop".
class RecordingAudio : public AudioBackend {
public:
    explicit RecordingAudio(QStringList *log) : log_(log) {}
    void loadEffect(const QString &, const QString &) override {}
    void playEffect(const QString &name) override { *log_ << QStringLiteral("play ") + name; }
    void newMusicPlayer(const QString &path) override
    {
        playing_ = false;
        *log_ << QStringLiteral("player ") + QFileInfo(path).fileName();
    }
    bool isMusicPlaying() const override { return playing_; }
    void startMusicLooping() override
    {
        playing_ = true;
        *log_ << QStringLiteral("start");
    }
    void stopMusic() override
    {
        playing_ = false;
        *log_ << QStringLiteral("stop");
    }

private:
    QStringList *log_;
    bool playing_ = false;
};
