// SPDX-License-Identifier: GPL-3.0-or-later
#include "whole_number.h"

#include <cmath>
#include <limits>

namespace {

template <typename Int> std::optional<Int> roundInto(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // default mode: ties to even
    if (rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<std::int16_t> toInt16(double value)
{
    return roundInto<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value)
{
    return roundInto<std::int32_t>(value);
}

QString overflowDescription()
{
    return QStringLiteral("Überlauf");
}
