#include "MusicSynth.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

// 茉莉花 in F, written as scale degrees of the pentatonic scale (1 = F4).
QList<Note> jasmineMelody()
{
    const int d1 = 65, d2 = 67, d3 = 69, d5 = 72, d6 = 74, h1 = 77;
    return {
        {d3, 1},   {d3, 0.5}, {d5, 0.5}, {d6, 0.5}, {h1, 0.5}, {h1, 0.5}, {d6, 0.5}, {d5, 1},
        {d5, 0.5}, {d6, 0.5}, {d5, 2},   {d5, 1},   {d5, 1},   {d5, 0.5}, {d3, 0.5}, {d5, 0.5},
        {d6, 0.5}, {d6, 1},   {d5, 2},   {d3, 1},   {d2, 0.5}, {d3, 0.5}, {d5, 1},   {d3, 0.5},
        {d2, 0.5}, {d1, 1},   {d1, 0.5}, {d2, 0.5}, {d1, 2},
    };
}

QList<Note> alternatingBass(int root, int fifth, int bars)
{
    QList<Note> bass;
    for (int i = 0; i < bars; ++i)
        bass.append({i % 2 ? fifth : root, 2});
    return bass;
}

// Flowing pentatonic arpeggios in D, like water over stones.
QList<Note> streamMelody()
{
    const int scale[] = {62, 64, 66, 69, 71, 74, 76, 78, 81, 83};
    const int shape[] = {0, 2, 4, 5, 4, 2, 1, 3};
    const int roots[] = {0, 3, 1, 4, 2, 0};
    QList<Note> melody;
    for (int root : roots) {
        for (int step : shape)
            melody.append({scale[std::min(root + step, 9)], 0.5});
    }
    melody.append({74, 2});
    return melody;
}

double pluck(double t, double frequency)
{
    const double attack = 1.0 - std::exp(-t / 0.004);
    const double w = 2 * M_PI * frequency * t;
    const double body = std::sin(w) + 0.45 * std::sin(2 * w) * std::exp(-t / 0.35) +
                        0.2 * std::sin(3 * w) * std::exp(-t / 0.18) +
                        0.08 * std::sin(5 * w) * std::exp(-t / 0.08);
    return attack * std::exp(-t / 0.7) * body;
}

void addVoice(std::vector<double> &mix, const QList<Note> &notes, double secondsPerBeat, double gain)
{
    constexpr double kRing = 1.8; // seconds a plucked string sounds on
    double start = 0;
    for (const Note &note : notes) {
        if (note.midi > 0) {
            const double frequency = 440.0 * std::pow(2.0, (note.midi - 69) / 12.0);
            const auto first = size_t(start * kSampleRate);
            const size_t length = size_t(kRing * kSampleRate);
            for (size_t i = 0; i < length && first + i < mix.size(); ++i)
                mix[first + i] += gain * pluck(double(i) / kSampleRate, frequency);
        }
        start += note.beats * secondsPerBeat;
    }
}

double lengthInSeconds(const QList<Note> &notes, double secondsPerBeat)
{
    double beats = 0;
    for (const Note &note : notes)
        beats += note.beats;
    return beats * secondsPerBeat;
}

void appendLittleEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

} // namespace

QList<Tune> demoTunes()
{
    return {
        {u"茉莉花.wav"_s, jasmineMelody(), alternatingBass(53, 60, 12), 0.27},
        {u"流水清音.wav"_s, streamMelody(), alternatingBass(50, 57, 13), 0.16},
    };
}

QByteArray renderWav(const Tune &tune)
{
    const double seconds = lengthInSeconds(tune.melody, tune.secondsPerBeat) + 0.8;
    std::vector<double> mix(size_t(seconds * kSampleRate), 0.0);
    addVoice(mix, tune.melody, tune.secondsPerBeat, 1.0);
    addVoice(mix, tune.bass, tune.secondsPerBeat, 0.45);

    // A soft echo gives the room some air.
    const size_t delay = size_t(0.19 * kSampleRate);
    for (size_t i = delay; i < mix.size(); ++i)
        mix[i] += 0.22 * mix[i - delay];

    double peak = 1e-9;
    for (double sample : mix)
        peak = std::max(peak, std::abs(sample));
    const size_t fade = size_t(0.05 * kSampleRate);
    const size_t tail = size_t(0.6 * kSampleRate);

    QByteArray pcm;
    pcm.reserve(qsizetype(mix.size() * 2));
    for (size_t i = 0; i < mix.size(); ++i) {
        double level = 0.7 / peak;
        if (i < fade)
            level *= double(i) / fade;
        if (i + tail > mix.size())
            level *= double(mix.size() - i) / tail;
        const auto sample = qint16(std::lround(std::clamp(mix[i] * level, -1.0, 1.0) * 32767));
        appendLittleEndian(pcm, quint16(sample), 2);
    }

    QByteArray wav;
    wav.append("RIFF");
    appendLittleEndian(wav, quint32(36 + pcm.size()), 4);
    wav.append("WAVEfmt ");
    appendLittleEndian(wav, 16, 4);              // format chunk size
    appendLittleEndian(wav, 1, 2);               // PCM
    appendLittleEndian(wav, 1, 2);               // mono
    appendLittleEndian(wav, kSampleRate, 4);     // sample rate
    appendLittleEndian(wav, kSampleRate * 2, 4); // byte rate
    appendLittleEndian(wav, 2, 2);               // block align
    appendLittleEndian(wav, 16, 2);              // bits per sample
    wav.append("data");
    appendLittleEndian(wav, quint32(pcm.size()), 4);
    wav.append(pcm);
    return wav;
}

} // namespace demodata
