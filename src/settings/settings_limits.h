// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>

// The limits values are kept within, whether typed or read from the file.
// Each returns the value to keep.

// The two validated number fields: the typed text, or its replacement.
QString limitDisplayTime(const QString& typed);  // above 65 -> "65"
QString limitTransparency(const QString& typed); // outside 0..255 -> "255"

constexpr int MaxRetentionDays = 36'600;
int limitRetentionDays(const int& days); // 0..MaxRetentionDays

constexpr int MaxWarnMinutes = 24 * 60;
int limitWarnMinutes(const int& minutes); // 0..MaxWarnMinutes

constexpr int MaxRepeatSeconds = 3600;
int limitRepeatSeconds(const int& seconds); // 0..MaxRepeatSeconds

// A remembered window: sizes and position within WindowPlacement's limits,
// computed without overflow; a rectangle without area becomes invalid.
QRect limitGeometry(const QRect& geometry);
QList<int> limitColumnWidths(const QList<int>& widths);
