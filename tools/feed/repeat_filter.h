// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// Radio systems send a telegram several times on purpose; the desk shows
// it once. A telegram passes unless the same one passed less than the
// window ago. Memory stays bounded: a flood of different telegrams makes
// it forget.
class RepeatFilter
{
public:
    static constexpr qsizetype MaxRemembered = 1024;
    static constexpr double MaxWindowSeconds = 24 * 3600;

    explicit RepeatFilter(qint64 windowMs) : m_windowMs(windowMs) {}

    // A window given in seconds (a decimal number, 0 turns the filter off).
    static std::optional<qint64> windowFromSeconds(const QString& seconds);

    // nowMs runs monotonically; false for a repeat.
    bool admit(const QByteArray& record, qint64 nowMs);

private:
    qint64 m_windowMs;
    QHash<QByteArray, qint64> m_lastPassed;
};
