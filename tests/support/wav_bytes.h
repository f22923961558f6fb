// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cmath>
#include <numbers>

// WAV files built byte by byte, for the reader's tests and as sounds to play.
namespace WavBytes {

inline QByteArray le(quint32 value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = char((value >> (8 * i)) & 0xff);
    return out;
}
inline QByteArray chunk(const QByteArray& id, const QByteArray& body)
{
    return id + le(quint32(body.size()), 4) + body + (body.size() % 2 ? QByteArray(1, '\0') : "");
}
inline QByteArray format(quint16 encoding, int channels, int rate, int bits)
{
    return le(encoding, 2) + le(quint32(channels), 2) + le(quint32(rate), 4) +
           le(quint32(rate * channels * bits / 8), 4) + le(quint32(channels * bits / 8), 2) +
           le(quint32(bits), 2);
}
inline QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le(quint32(chunks.size() + 4), 4) + "WAVE" + chunks;
}
inline QByteArray wav(quint16 encoding, int channels, int rate, int bits, const QByteArray& data)
{
    return riff(chunk("fmt ", format(encoding, channels, rate, bits)) + chunk("data", data));
}
// A sine at half scale, 16-bit mono.
inline QByteArray tone(double frequency, double seconds, int rate = 22050)
{
    QByteArray data;
    for (int i = 0; i < int(seconds * rate); ++i)
        data +=
            le(quint16(qint16(16000 * std::sin(2 * std::numbers::pi * frequency * i / rate))), 2);
    return wav(1, 1, rate, 16, data);
}

} // namespace WavBytes
