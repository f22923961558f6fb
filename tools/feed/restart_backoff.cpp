// SPDX-License-Identifier: GPL-3.0-or-later
#include "restart_backoff.h"

#include <algorithm>

qint64 RestartBackoff::nextWaitMs(qint64 ranMs)
{
    if (m_nextMs < 0 || ranMs >= m_stableAfterMs)
        m_nextMs = m_firstMs;
    const qint64 wait = m_nextMs;
    m_nextMs = std::min(m_nextMs * 2, m_longestMs);
    return wait;
}
