// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_limits.h"

#include "common/leading_number.h"
#include "window_placement.h"

#include <algorithm>

QString limitDisplayTime(const QString& typed)
{
    return parseLeadingNumber(typed) > 65 ? QStringLiteral("65") : typed;
}

QString limitTransparency(const QString& typed)
{
    const double value = parseLeadingNumber(typed);
    return value > 255 || value < 0 ? QStringLiteral("255") : typed;
}

int limitRetentionDays(const int& days)
{
    return std::clamp(days, 0, MaxRetentionDays);
}

int limitWarnMinutes(const int& minutes)
{
    return std::clamp(minutes, 0, MaxWarnMinutes);
}

int limitRepeatSeconds(const int& seconds)
{
    return std::clamp(seconds, 0, MaxRepeatSeconds);
}

QRect limitGeometry(const QRect& geometry)
{
    const qint64 width = qint64(geometry.right()) - geometry.left() + 1;
    const qint64 height = qint64(geometry.bottom()) - geometry.top() + 1;
    if (width <= 0 || height <= 0)
        return {};
    constexpr QSize min = WindowPlacement::MinSize;
    constexpr QSize max = WindowPlacement::MaxSize;
    const QSize size(int(std::clamp<qint64>(width, min.width(), max.width())),
                     int(std::clamp<qint64>(height, min.height(), max.height())));
    const auto position = [](int value) {
        return std::clamp(value, -WindowPlacement::MaxPosition, WindowPlacement::MaxPosition);
    };
    return QRect(QPoint(position(geometry.left()), position(geometry.top())), size);
}

QList<int> limitColumnWidths(const QList<int>& widths)
{
    QList<int> limited;
    for (int width : widths)
        limited << std::clamp(width, WindowPlacement::MinColumnWidth,
                              WindowPlacement::MaxColumnWidth);
    return limited;
}
