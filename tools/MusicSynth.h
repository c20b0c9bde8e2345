#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace demodata {

struct Note {
    int midi;     // MIDI note number; 0 is a rest
    double beats; // length in beats
};

struct Tune {
    QString fileName; // inside BgMusic
    QList<Note> melody;
    QList<Note> bass;
    double secondsPerBeat;
};

// Two short plucked-string pieces for the background music.
QList<Tune> demoTunes();

constexpr int kSampleRate = 22050;

// The tune as a WAV file: 16-bit PCM, mono, kSampleRate. It fades in and out so that the
// player's endless repeat does not click.
QByteArray renderWav(const Tune &tune);

} // namespace demodata
