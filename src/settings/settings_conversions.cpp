// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_conversions.h"

#include "common/leading_number.h"
#include "common/whole_number.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

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

std::optional<int> readWholeNumber(const QString& text)
{
    return toInt32(parseLeadingNumber(text));
}

QList<int> readNumbers(const QString& text)
{
    QString words = text;
    words.replace(u',', u' ').replace(u';', u' ');
    QList<int> numbers;
    for (const QString& word : words.simplified().split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = word.toInt(&ok);
        if (!ok)
            break;
        numbers.append(number);
    }
    return numbers;
}

QString writeNumbers(const QList<int>& numbers)
{
    QStringList words;
    for (int number : numbers)
        words << QString::number(number);
    return words.join(u' ');
}

std::optional<QRect> readRectangle(const QString& text)
{
    const QList<int> n = readNumbers(text);
    if (n.size() != 4)
        return std::nullopt;
    // QRect(x, y, width, height) would overflow on numbers near the int
    // range, which a hand-edited file may hold.
    const auto corner = [](int start, int length) {
        return int(std::clamp<qint64>(qint64(start) + length - 1, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    };
    return QRect(QPoint(n[0], n[1]), QPoint(corner(n[0], n[2]), corner(n[1], n[3])));
}

QString writeRectangle(const QRect& rectangle)
{
    if (!rectangle.isValid())
        return {};
    return writeNumbers({rectangle.x(), rectangle.y(), rectangle.width(), rectangle.height()});
}
