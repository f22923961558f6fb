// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The bar's display time as typed in seconds, as a timer interval in
// milliseconds (rounded half to even). Nothing when the time is 0 or less
// or does not fit a timer.
std::optional<int> displayInterval(const QString& displayTimeText);
