// SPDX-License-Identifier: GPL-3.0-or-later
#include "fms_signal.h"

#include "fsk_audio.h"

namespace {

// Remainder by x^7+x^6+x^2+1, highest bit first.
int checkSum(const QList<bool>& info)
{
    int remainder = 0;
    for (const bool bit : info) {
        const bool feedback = ((remainder >> 6) & 1) != bit;
        remainder = (remainder << 1) & 0x7f;
        if (feedback)
            remainder ^= 0x45;
    }
    return remainder;
}

} // namespace

QByteArray fmsAudio(const FmsReport& report)
{
    QList<bool> info;
    for (const QChar digit : report.id)
        appendBits(info, QString(digit).toUInt(nullptr, 16), 4, true);
    appendBits(info, quint32(report.status), 4, true);
    info.append(false); // stage
    info.append(report.direction == FmsDirection::ToVehicle);
    appendBits(info, quint32(report.tacticalInfo), 2, true);

    QList<bool> bits(12, true);
    for (const bool sync : {false, false, false, true, true, false, true, false})
        bits.append(sync);
    bits += info;
    const int sum = checkSum(info);
    for (int i = 6; i >= 0; --i)
        bits.append((sum >> i) & 1);
    bits.append(false);
    return silence(0.3) + toneAudio(bits, 1200, 1800) + silence(0.3);
}
