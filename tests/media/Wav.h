#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <optional>

struct Wav {
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QList<qint16> samples;
};

// Reads a RIFF/WAVE file with a "fmt " chunk followed (possibly after others) by "data".
inline std::optional<Wav> parseWav(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Wav wav;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (at + 8 + qsizetype(size) > bytes.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            wav.format = qFromLittleEndian<quint16>(body);
            wav.channels = qFromLittleEndian<quint16>(body + 2);
            wav.rate = qFromLittleEndian<quint32>(body + 4);
            wav.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            for (quint32 i = 0; i + 1 < size; i += 2)
                wav.samples.append(qFromLittleEndian<qint16>(body + i));
            return wav;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}
