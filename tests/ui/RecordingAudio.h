#pragma once

#include "media/AudioBackend.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QThread>

#include <optional>

// An audio backend that plays nothing and writes down what it was asked: "play <effect>",
// "player <file name>", "start", "stop", and "load <effect> <file name>" when `withLoads`; a call
// that did not come on the main thread is marked.
class RecordingAudio : public AudioBackend {
public:
    explicit RecordingAudio(QStringList *log, bool withLoads = false) : log_(log), withLoads_(withLoads) {}
    void loadEffect(const QString &name, const QString &path) override
    {
        if (withLoads_)
            record(QStringLiteral("load ") + name + u' ' + QFileInfo(path).fileName());
    }
    void playEffect(const QString &name) override { record(QStringLiteral("play ") + name); }
    void newMusicPlayer(const QString &path) override
    {
        record(QStringLiteral("player ") + QFileInfo(path).fileName(), false);
    }
    bool isMusicPlaying() const override { return playing_; }
    void startMusicLooping() override { record(QStringLiteral("start"), true); }
    void stopMusic() override { record(QStringLiteral("stop"), false); }

private:
    void record(const QString &call, std::optional<bool> playing = std::nullopt)
    {
        playing_ = playing.value_or(playing_);
        const bool onMain = QThread::currentThread() == QCoreApplication::instance()->thread();
        *log_ << (onMain ? QString() : QStringLiteral("OFF MAIN THREAD: ")) + call;
    }
    QStringList *log_;
    bool withLoads_;
    bool playing_ = false;
};
