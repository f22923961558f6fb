// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Notices when the source has given no audio for a while, once, and when
// audio comes again. Times are on a monotonic clock in milliseconds.
class SilenceWatch
{
public:
    enum class Change
    {
        None,
        FellSilent,
        AudioReturned
    };

    SilenceWatch(qint64 silentAfterMs, qint64 nowMs)
        : m_silentAfterMs(silentAfterMs), m_lastAudioMs(nowMs)
    {
    }

    Change audioArrived(qint64 nowMs);
    Change check(qint64 nowMs);
    // Since when no audio came.
    qint64 lastAudioMs() const { return m_lastAudioMs; }

private:
    qint64 m_silentAfterMs;
    qint64 m_lastAudioMs;
    bool m_silent = false;
};
