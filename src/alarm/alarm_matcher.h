// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm_rules.h"

#include <QHash>
#include <array>

// Finds the first rule that names a telegram. Rules are indexed by kind and
// identifier, so that a thousand rules cost a few look-ups per telegram.
class AlarmMatcher
{
public:
    explicit AlarmMatcher(const QList<AlarmRule>& rules = {});

    const AlarmRule* match(const HandledTelegram& telegram) const;

    // The identifier as rules name it: POCSAG addresses without leading
    // zeros, FMS identifiers in capitals.
    static QString normalisedIdentifier(TelegramKind kind, const QString& address);

private:
    struct KindIndex
    {
        QHash<QString, QList<int>> exact;
        QHash<QString, QList<int>> prefix;
        QList<int> any;
    };

    const KindIndex& indexOf(TelegramKind kind) const { return m_index[std::size_t(kind)]; }
    static QString extraOf(const HandledTelegram& telegram);

    QList<AlarmRule> m_rules;
    std::array<KindIndex, 3> m_index;
};
