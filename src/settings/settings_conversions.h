// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

// How stored texts become option values and back. Hand-edited junk never
// fails: what does not convert keeps the default.

// A check box value: the leading number rounded to a whole number; anything
// but 0 is checked (also values beyond 0..1 and beyond 16 bits).
bool readCheck(const QString& text);
// Check boxes and the tray flag are written alike.
QString writeCheck(bool checked); // "0" / "1"

// A font size: a plain decimal number with "." as separator, above 0.
std::optional<double> readSize(const QString& text);
QString writeSize(double pointSize);

// True/False in any letter case, or a number (0 is false).
std::optional<bool> readTruth(const QString& text);
QString writeTruth(bool value); // "True" / "False"

// The tray flag: true when the leading number is not 0.
bool readFlag(const QString& text);

// A whole number of days or seconds: the leading number, rounded.
std::optional<int> readWholeNumber(const QString& text);

// Whole numbers separated by blanks ("10 20 800 600"); the first word that
// is no number ends the list.
QList<int> readNumbers(const QString& text);
QString writeNumbers(const QList<int>& numbers);

// "x y width height"; an invalid rectangle is written as nothing.
std::optional<QRect> readRectangle(const QString& text);
QString writeRectangle(const QRect& rectangle);
