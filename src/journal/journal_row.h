// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/fms.h"

#include <QString>
#include <optional>

// One row of the journal as read back. The file may have been edited by
// hand: texts are taken as they are, status and direction only when valid.
struct JournalRow
{
    qint64 id = 0;
    QString receivedAt;
    QString kind;
    QString address;
    QString name;
    std::optional<int> status;
    std::optional<FmsDirection> direction;
    QString text;
    QString alarm;          // the alarm it raised, empty for none
    QString acknowledgedAt; // when that alarm was acknowledged, empty while open
    bool operator==(const JournalRow&) const = default;
};
