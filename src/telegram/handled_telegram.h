// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/fms.h"

#include <QDateTime>
#include <QString>
#include <optional>

enum class TelegramKind
{
    Fms,
    FiveTone,
    Pocsag
};

// One telegram as the program handled it: what the user was shown, or
// would have been shown had the filters let it through to the bar.
struct HandledTelegram
{
    QDateTime receivedAt;
    TelegramKind kind = TelegramKind::Fms;
    QString address;           // FMS identifier, five-tone code or POCSAG address, trimmed
    QString name;              // the resolved name, empty when not listed
    std::optional<int> status; // FMS only
    std::optional<FmsDirection> direction; // FMS only
    QString text;                          // status or message text as the user reads it
    bool passedFilters = false;            // the user's filters let it through to the bar
    bool shown = false;                    // reached the message bar
    QString record;                        // the record as received
    QString subAddress;                    // POCSAG only: "A" to "D" as received
    QString alarm; // the alarm it raised ("Probealarm: " in a test window), empty for none
    bool operator==(const HandledTelegram&) const = default;
};
