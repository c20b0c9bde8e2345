#include "EffectSounds.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace appmedia {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

using Samples = std::vector<double>;

Samples silence(double seconds)
{
    return Samples(size_t(seconds * kSampleRate), 0.0);
}

// A small bell: a sine with two quickly fading overtones, a 3 ms attack and an exponential decay.
void addChime(Samples &out, double frequency, double start, double amplitude, double decayPerSecond)
{
    const size_t first = size_t(start * kSampleRate);
    for (size_t i = first; i < out.size(); ++i) {
        const double t = double(i - first) / kSampleRate;
        const double attack = std::min(1.0, t / 0.003);
        const double body = std::exp(-t * decayPerSecond);
        const double overtones =
            0.35 * std::sin(kTwoPi * 2 * frequency * t) * std::exp(-t * decayPerSecond * 2) +
            0.12 * std::sin(kTwoPi * 3.01 * frequency * t) * std::exp(-t * decayPerSecond * 3);
        out[i] += amplitude * attack * body * (std::sin(kTwoPi * frequency * t) + overtones);
    }
}

// A knock: a sine whose pitch falls from `from` to `to` Hz, dying away fast.
void addKnock(Samples &out, double from, double to, double start, double amplitude, double decayPerSecond)
{
    const size_t first = size_t(start * kSampleRate);
    double phase = 0;
    for (size_t i = first; i < out.size(); ++i) {
        const double t = double(i - first) / kSampleRate;
        const double frequency = to + (from - to) * std::exp(-t * 40);
        phase += kTwoPi * frequency / kSampleRate;
        out[i] += amplitude * std::min(1.0, t / 0.001) * std::exp(-t * decayPerSecond) * std::sin(phase);
    }
}

// Air moving: noise through a band-pass filter whose centre glides from `from` to `to` Hz, under
// a rounded swell. The noise comes from a fixed seed, so every build writes the same file.
void addSwish(Samples &out, double start, double length, double from, double to, double amplitude,
              quint32 seed)
{
    std::mt19937 engine(seed);
    const size_t first = size_t(start * kSampleRate);
    const size_t count = std::min(out.size() - first, size_t(length * kSampleRate));
    double low = 0, band = 0; // state-variable filter
    const double damping = 0.6;
    for (size_t n = 0; n < count; ++n) {
        const double progress = double(n) / double(count);
        const double centre = from * std::pow(to / from, progress);
        const double f = 2 * std::sin(std::numbers::pi * centre / kSampleRate);
        const double noise = double(engine()) / 2147483648.0 - 1.0;
        const double high = noise - low - damping * band;
        band += f * high;
        low += f * band;
        const double swell = std::pow(std::sin(std::numbers::pi * progress), 1.5);
        out[first + n] += amplitude * swell * band;
    }
}

QByteArray toWav(Samples samples)
{
    // Peak at a comfortable level, and short fades so nothing clicks at either end.
    double peak = 0;
    for (const double s : samples)
        peak = std::max(peak, std::abs(s));
    const double gain = peak > 0 ? 0.55 / peak : 0;
    const size_t fadeIn = size_t(0.003 * kSampleRate), fadeOut = size_t(0.015 * kSampleRate);
    for (size_t i = 0; i < samples.size(); ++i) {
        double g = gain;
        if (i < fadeIn)
            g *= double(i) / double(fadeIn);
        if (samples.size() - i <= fadeOut)
            g *= double(samples.size() - i - 1) / double(fadeOut);
        samples[i] *= g;
    }

    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray wav;
    wav.reserve(int(44 + dataBytes));
    auto u32 = [&wav](quint32 v) {
        v = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char *>(&v), 4);
    };
    auto u16 = [&wav](quint16 v) {
        v = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char *>(&v), 2);
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kSampleRate);
    u32(kSampleRate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(dataBytes);
    for (const double s : samples)
        u16(quint16(qint16(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
    return wav;
}

} // namespace

QList<EffectSound> effectSounds()
{
    QList<EffectSound> sounds;

    Samples ok = silence(0.32); // E6 then B6
    addChime(ok, 1318.5, 0.0, 0.8, 14);
    addChime(ok, 1975.5, 0.07, 0.7, 12);
    sounds.append({QStringLiteral("bnok.wav"), toWav(ok)});

    Samples cancel = silence(0.32); // B5 then E5
    addChime(cancel, 987.8, 0.0, 0.7, 14);
    addChime(cancel, 659.3, 0.08, 0.8, 12);
    sounds.append({QStringLiteral("bncancel.wav"), toWav(cancel)});

    Samples close = silence(0.12);
    addKnock(close, 620, 380, 0.0, 1.0, 45);
    addSwish(close, 0.0, 0.012, 3000, 1500, 0.6, 7);
    sounds.append({QStringLiteral("close.wav"), toWav(close)});

    Samples flip = silence(0.24);
    addSwish(flip, 0.0, 0.17, 1800, 5200, 1.0, 11);
    addKnock(flip, 240, 160, 0.16, 0.5, 50);
    sounds.append({QStringLiteral("flip.wav"), toWav(flip)});

    Samples left = silence(0.22);
    addSwish(left, 0.0, 0.22, 3600, 900, 1.0, 23);
    sounds.append({QStringLiteral("turnL.wav"), toWav(left)});

    Samples right = silence(0.22);
    addSwish(right, 0.0, 0.22, 900, 3600, 1.0, 29);
    sounds.append({QStringLiteral("turnR.wav"), toWav(right)});

    return sounds;
}

} // namespace appmedia
