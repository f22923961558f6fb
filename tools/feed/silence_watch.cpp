// SPDX-License-Identifier: GPL-3.0-or-later
#include "silence_watch.h"

SilenceWatch::Change SilenceWatch::audioArrived(qint64 nowMs)
{
    m_lastAudioMs = nowMs;
    if (!m_silent)
        return Change::None;
    m_silent = false;
    return Change::AudioReturned;
}

SilenceWatch::Change SilenceWatch::check(qint64 nowMs)
{
    if (m_silent || nowMs - m_lastAudioMs < m_silentAfterMs)
        return Change::None;
    m_silent = true;
    return Change::FellSilent;
}
