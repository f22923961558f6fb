// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/clock.h"

// Always 12:34:56 on 6 December 2026, one hour east of UTC.
class FixedClock final : public Clock
{
public:
    QDateTime time{QDate(2026, 12, 6), QTime(12, 34, 56), Qt::OffsetFromUTC, 3600};
    QDateTime now() const override { return time; }
};
