// SPDX-License-Identifier: GPL-3.0-or-later
#include "repeat_filter.h"

#include <cmath>

std::optional<qint64> RepeatFilter::windowFromSeconds(const QString& seconds)
{
    bool ok = false;
    const double value = seconds.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > MaxWindowSeconds)
        return std::nullopt;
    return std::llround(value * 1000);
}

bool RepeatFilter::admit(const QByteArray& record, qint64 nowMs)
{
    if (m_windowMs <= 0)
        return true;
    if (m_lastPassed.size() >= MaxRemembered) {
        m_lastPassed.removeIf(
            [&](const auto& entry) { return nowMs - entry.value() >= m_windowMs; });
        // A flood of different telegrams: start afresh rather than sweep on every one.
        if (m_lastPassed.size() >= MaxRemembered / 2)
            m_lastPassed.clear();
    }
    const auto found = m_lastPassed.constFind(record);
    if (found != m_lastPassed.constEnd() && nowMs - *found < m_windowMs)
        return false;
    m_lastPassed.insert(record, nowMs);
    return true;
}
