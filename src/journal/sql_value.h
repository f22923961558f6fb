// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariant>
#include <optional>

// A cell's whole number; none for NULL, text or a real number, which
// hand-edited cells may hold: no conversion.
inline std::optional<qint64> integerValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return value.toLongLong();
    default:
        return std::nullopt;
    }
}
