// SPDX-License-Identifier: GPL-3.0-or-later
#include "display_time.h"

#include "common/leading_number.h"
#include "common/whole_number.h"

std::optional<int> displayInterval(const QString& displayTimeText)
{
    const double seconds = parseLeadingNumber(displayTimeText);
    if (!(seconds > 0))
        return std::nullopt;
    return toInt32(seconds * 1000);
}
