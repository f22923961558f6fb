// SPDX-License-Identifier: GPL-3.0-or-later
#include "fsk_audio.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace {

constexpr double Amplitude = 12000;

// Bit periods of 22050/1200 samples are no whole number: each bit ends
// at the sample nearest its ideal end, so the timing never drifts.
QByteArray bitAudio(const QList<bool>& bits, const std::function<double(bool)>& sample)
{
    QByteArray audio;
    qint64 written = 0;
    for (qsizetype i = 0; i < bits.size(); ++i) {
        const qint64 end = std::llround(double(i + 1) * AudioRate / Baud);
        for (; written < end; ++written) {
            const auto value = qint16(std::lround(sample(bits[i])));
            audio.append(reinterpret_cast<const char*>(&value), sizeof value);
        }
    }
    return audio;
}

} // namespace

QByteArray silence(double seconds)
{
    return QByteArray(qsizetype(std::lround(seconds * AudioRate)) * 2, '\0');
}

QByteArray toneAudio(const QList<bool>& bits, int oneHz, int zeroHz)
{
    double phase = 0;
    return bitAudio(bits, [&](bool bit) {
        phase += 2 * std::numbers::pi * (bit ? oneHz : zeroHz) / AudioRate;
        return Amplitude * std::sin(phase);
    });
}

QByteArray levelAudio(const QList<bool>& bits)
{
    return bitAudio(bits, [](bool bit) { return bit ? -Amplitude : Amplitude; });
}

void appendBits(QList<bool>& bits, quint32 value, int count, bool lowestFirst)
{
    for (int i = 0; i < count; ++i)
        bits.append((value >> (lowestFirst ? i : count - 1 - i)) & 1);
}
