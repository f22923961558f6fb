#pragma once

#include <QString>
#include <optional>

// How stored texts become option values and back. Hand-edited junk never
// fails: what does not convert keeps the default.

// A check box value: the leading number rounded to a whole number; anything
// but 0 is checked (also values beyond 0..1 and beyond 16 bits).
bool ReadCheck(const QString& text);
// Check boxes and the tray flag are written alike.
QString WriteCheck(bool checked); // "0" / "1"

// A font size: a plain decimal number with "." as separator, above 0.
std::optional<double> ReadSize(const QString& text);
QString WriteSize(double pointSize);

// True/False in any letter case, or a number (0 is false).
std::optional<bool> ReadTruth(const QString& text);
QString WriteTruth(bool value); // "True" / "False"

// The tray flag: true when the leading number is not 0.
bool ReadFlag(const QString& text);
