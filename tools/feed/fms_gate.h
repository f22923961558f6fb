// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The audio for the FMS decoders. multimon-ng 1.2.0 keeps its bit clock
// from the last transitions it heard and needs all twelve lead-in bits: a
// telegram about half a bit out of step with that clock is lost (at random
// phases one in twenty, in noise one in ten), and so is one whose lead-in
// starts in noise. So the gate passes audio only where the FMS
// tones stand out, from a window before they start to a while after, and
// digital silence otherwise; the clock then runs free between telegrams.
// A second decoder gets the same audio with every other gap half a bit
// longer and the ones between as much shorter, so that one of the two is
// always in step.
//
// Samples are 16-bit, native byte order, 22050 Hz; the output lags the
// input by a few windows (the look-ahead).
class FmsGate
{
public:
    static constexpr int WindowSamples = 88;  // 4 ms: 4.8 bits
    static constexpr int AheadWindows = 1;    // opened this early
    static constexpr int HangWindows = 5;     // and kept open this long
    static constexpr int ShiftSamples = 9;    // half a bit at 1200 baud
    static constexpr double OpenShare = 0.6;  // two windows in a row open it
    static constexpr double KeepShare = 0.35; // a window that keeps it open
    static constexpr double MinLevel = 1e-3;  // RMS, of full scale

    struct Audio
    {
        QByteArray straight;
        QByteArray shifted;
    };

    Audio take(QByteArrayView audio);
    // The input paused or ended: the audio held back, decided on what came.
    Audio flush();
    qsizetype held() const { return m_pending.size(); }

private:
    void decide(qsizetype ahead, Audio& out);
    bool startsAt(qsizetype window) const;
    void emitWindow(QByteArrayView samples, bool open, Audio& out);

    QByteArray m_pending;  // from the first window not handed out yet
    QList<double> m_share; // of the windows in m_pending
    bool m_open = false;
    int m_quietWindows = 0;
    bool m_begun = false;
    bool m_shiftedLate = true; // the shifted audio is ShiftSamples behind
    qsizetype m_shiftDebt = 0; // bytes of silence the shifted audio still skips
};
