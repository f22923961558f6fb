// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal.h"
#include "support/fixed_clock.h"

// A telegram as the presenter would report it, received `daysAgo` days
// before the fixed clock's time and `seconds` later.
inline HandledTelegram handled(TelegramKind kind, const QString& address, const QString& name = {},
                               const QString& text = {}, int daysAgo = 0, int seconds = 0)
{
    HandledTelegram telegram;
    telegram.receivedAt = FixedClock().time.addDays(-daysAgo).addSecs(seconds);
    telegram.kind = kind;
    telegram.address = telegram.record = address;
    telegram.name = name;
    telegram.text = text;
    telegram.passedFilters = telegram.shown = true;
    if (kind == TelegramKind::Fms) {
        telegram.status = 3;
        telegram.direction = FmsDirection::FromVehicle;
    }
    return telegram;
}

// Writes the telegrams through a journal of its own and closes it.
inline void writeJournal(const QString& path, const QList<HandledTelegram>& telegrams)
{
    FixedClock clock;
    Journal journal(path, clock, 0);
    for (const HandledTelegram& telegram : telegrams)
        journal.append(telegram);
}
