#include "settings_conversions.h"

#include "common/leading_number.h"
#include "common/whole_number.h"

#include <QLocale>
#include <cmath>

bool readCheck(const QString& text)
{
    const auto value = toInt16(parseLeadingNumber(text));
    return !value || *value != 0;
}

QString writeCheck(bool checked)
{
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

std::optional<double> readSize(const QString& text)
{
    bool ok = false;
    const float size = QLocale::c().toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(size) || size <= 0 || size > 1000)
        return std::nullopt;
    return size;
}

QString writeSize(double pointSize)
{
    return QLocale::c().toString(float(pointSize), 'g', 7);
}

std::optional<bool> readTruth(const QString& text)
{
    const QString word = text.trimmed();
    if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = QLocale::c().toDouble(word, &ok);
    if (!ok)
        return std::nullopt;
    return number != 0;
}

QString writeTruth(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool readFlag(const QString& text)
{
    return parseLeadingNumber(text) != 0;
}
