#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace appmedia {

struct EffectSound {
    QString fileName; // e.g. "bnok.wav"
    QByteArray wav;   // 16-bit PCM, mono, kSampleRate
};

constexpr int kSampleRate = 44100;

// The terminal's six short effects: a rising chime when a dish is added ("bnok"), a falling one
// when it is removed ("bncancel"), a soft knock on leaving a screen ("close"), a page flip when
// the order list opens ("flip"), and swishes to the previous ("turnL") and next ("turnR") page.
QList<EffectSound> effectSounds();

} // namespace appmedia
