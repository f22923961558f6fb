// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Rounds to the nearest whole number, a tie going to the even neighbour
// (2.5 -> 2, 3.5 -> 4). Values outside the target range, NaN and infinities
// yield no value instead of undefined behaviour.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

// The description shown when a number does not fit ("Err:Überlauf").
QString overflowDescription();
