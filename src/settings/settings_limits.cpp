#include "settings_limits.h"

#include "common/leading_number.h"

QString limitDisplayTime(const QString& typed)
{
    return parseLeadingNumber(typed) > 65 ? QStringLiteral("65") : typed;
}

QString limitTransparency(const QString& typed)
{
    const double value = parseLeadingNumber(typed);
    return value > 255 || value < 0 ? QStringLiteral("255") : typed;
}
