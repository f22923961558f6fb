// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>

// How often each reason occurred, for one summary line in the log instead
// of one line per record.
template <typename Reason> class ReasonCounts
{
public:
    void count(Reason reason) { ++m_counts[reason]; }
    int total() const
    {
        int sum = 0;
        for (const auto& [reason, count] : m_counts)
            sum += count;
        return sum;
    }
    // "3 kein Telegramm, 1 zu wenige Felder"; empty when nothing was counted.
    QString summary(const std::function<QString(Reason)>& describe) const
    {
        QStringList parts;
        for (const auto& [reason, count] : m_counts)
            parts << QString::number(count) + u' ' + describe(reason);
        return parts.join(QStringLiteral(", "));
    }
    void clear() { m_counts.clear(); }

private:
    std::map<Reason, int> m_counts;
};
