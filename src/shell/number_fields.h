#pragma once

#include <QString>
#include <optional>

// The two validated number fields of the main window. Each returns the text
// that replaces the typed one, or nothing when the text may stay.
std::optional<QString> LimitDisplayTime(const QString& typed);  // above 65 -> "65"
std::optional<QString> LimitTransparency(const QString& typed); // outside 0..255 -> "255"
