#include "number_fields.h"

#include "common/leading_number.h"

std::optional<QString> LimitDisplayTime(const QString& typed)
{
    if (parseLeadingNumber(typed) > 65)
        return QStringLiteral("65");
    return std::nullopt;
}

std::optional<QString> LimitTransparency(const QString& typed)
{
    const double value = parseLeadingNumber(typed);
    if (value > 255 || value < 0)
        return QStringLiteral("255");
    return std::nullopt;
}
