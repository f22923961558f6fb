// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/handled_telegram.h"

#include <QList>
#include <QString>

enum class JournalPeriod
{
    Today,
    LastSevenDays, // today and the six days before
    All
};

// What the history shows: telegrams of these kinds, whose address, name or
// text contains every word of the search (letter case ignored), received
// in the period.
// FMS, ZVEI, POCSAG.
QList<TelegramKind> allTelegramKinds();

struct JournalFilter
{
    QList<TelegramKind> kinds = allTelegramKinds();
    QString search;
    JournalPeriod period = JournalPeriod::All;
    bool alarmsOnly = false;
    bool operator==(const JournalFilter&) const = default;
};
