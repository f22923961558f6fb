// SPDX-License-Identifier: GPL-3.0-or-later
#include "fms_gate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <numbers>

namespace {

constexpr double SampleRate = 22050;
constexpr double FullScale = 32768;
constexpr qsizetype WindowBytes = 2 * FmsGate::WindowSamples;
// The two tones and the middle, where the energy of quick bit changes lies.
constexpr double ToneHz[] = {1200, 1500, 1800};

qsizetype wholeSamples(qsizetype bytes)
{
    return bytes & ~qsizetype(1);
}

// The tones' share of the power of one window (0 when too quiet): a steady
// FMS tone gives 1, an FMS telegram over 0.3, white noise about 6 in
// WindowSamples.
double toneShare(QByteArrayView samples)
{
    const qsizetype count = samples.size() / 2;
    constexpr int Tones = std::size(ToneHz);
    double coefficient[Tones];
    double last[Tones] = {};
    double beforeLast[Tones] = {};
    for (int k = 0; k < Tones; ++k)
        coefficient[k] = 2 * std::cos(2 * std::numbers::pi * ToneHz[k] / SampleRate);
    double energy = 0;
    for (qsizetype i = 0; i < count; ++i) {
        qint16 value = 0;
        std::memcpy(&value, samples.data() + 2 * i, sizeof value);
        energy += double(value) * value;
        for (int k = 0; k < Tones; ++k) {
            const double next = value + coefficient[k] * last[k] - beforeLast[k];
            beforeLast[k] = last[k];
            last[k] = next;
        }
    }
    const double level = FmsGate::MinLevel * FullScale;
    if (count == 0 || energy < double(count) * level * level)
        return 0;
    double power = 0;
    for (int k = 0; k < Tones; ++k)
        power += last[k] * last[k] + beforeLast[k] * beforeLast[k] -
                 coefficient[k] * last[k] * beforeLast[k];
    return 2 * power / (double(count) * energy);
}

} // namespace

FmsGate::Audio FmsGate::take(QByteArrayView audio)
{
    m_pending.append(audio);
    while ((m_share.size() + 1) * WindowBytes <= m_pending.size())
        m_share.append(
            toneShare(QByteArrayView(m_pending).sliced(m_share.size() * WindowBytes, WindowBytes)));
    Audio out;
    // A start is confirmed by the window after it.
    decide(AheadWindows + 1, out);
    return out;
}

FmsGate::Audio FmsGate::flush()
{
    const qsizetype whole = m_share.size() * WindowBytes;
    const qsizetype rest = wholeSamples(m_pending.size() - whole);
    if (rest > 0)
        m_share.append(rest >= WindowBytes / 2
                           ? toneShare(QByteArrayView(m_pending).sliced(whole, rest))
                           : 0.0);
    m_pending.truncate(whole + rest);
    Audio out;
    decide(0, out);
    return out;
}

// Hands out the windows whose next `ahead` windows are known.
void FmsGate::decide(qsizetype ahead, Audio& out)
{
    qsizetype window = 0;
    qsizetype at = 0;
    for (; window + ahead < m_share.size(); ++window) {
        bool starting = false;
        for (qsizetype k = window; k <= window + AheadWindows; ++k)
            starting = starting || startsAt(k);
        if (starting || (m_open && m_share[window] >= KeepShare))
            m_quietWindows = 0;
        else if (m_open)
            ++m_quietWindows; // counted only while open, so it stays small
        const bool open = starting || (m_open && m_quietWindows <= HangWindows);
        const qsizetype size = std::min(WindowBytes, m_pending.size() - at);
        emitWindow(QByteArrayView(m_pending).sliced(at, size), open, out);
        at += size;
    }
    m_pending.remove(0, at);
    m_share.remove(0, window);
}

bool FmsGate::startsAt(qsizetype window) const
{
    // A lone window of noise can look like a tone; two in a row hardly.
    return window + 1 < m_share.size() && m_share[window] >= OpenShare &&
           m_share[window + 1] >= OpenShare;
}

void FmsGate::emitWindow(QByteArrayView samples, bool open, Audio& out)
{
    // Fresh decoders start in step with each other; the first telegram
    // needs them half a bit apart too.
    if (!m_begun) {
        out.shifted.append(QByteArray(2 * ShiftSamples, '\0'));
        m_begun = true;
    }
    if (open) {
        out.straight.append(samples);
        out.shifted.append(samples);
        m_open = true;
        return;
    }
    qsizetype shiftedBytes = samples.size();
    if (m_open) {
        // Every other gap half a bit longer, every other one as much shorter.
        m_shiftedLate = !m_shiftedLate;
        if (m_shiftedLate)
            shiftedBytes += 2 * ShiftSamples;
        else
            m_shiftDebt = 2 * ShiftSamples;
    }
    const qsizetype paid = std::min(m_shiftDebt, shiftedBytes);
    m_shiftDebt -= paid;
    out.straight.append(QByteArray(samples.size(), '\0'));
    out.shifted.append(QByteArray(shiftedBytes - paid, '\0'));
    m_open = false;
}
