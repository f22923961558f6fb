// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How long a stage of the receiving chain waits before it starts again:
// 1, 2, 4 … seconds up to the longest wait, and from the first again once
// it had run for a while, so that a stick pulled for good does not make
// the feed spin, and one put back is used soon.
class RestartBackoff
{
public:
    RestartBackoff(qint64 firstMs, qint64 longestMs, qint64 stableAfterMs)
        : m_firstMs(firstMs), m_longestMs(longestMs), m_stableAfterMs(stableAfterMs)
    {
    }

    // The stage ended after running for ranMs: how long to wait.
    qint64 nextWaitMs(qint64 ranMs);

private:
    qint64 m_firstMs;
    qint64 m_longestMs;
    qint64 m_stableAfterMs;
    qint64 m_nextMs = -1;
};
