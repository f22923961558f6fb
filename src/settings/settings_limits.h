#pragma once

#include <QString>

// The two validated number fields. Each returns the text to keep: the typed
// one, or its replacement when the number is out of range.
QString limitDisplayTime(const QString& typed);  // above 65 -> "65"
QString limitTransparency(const QString& typed); // outside 0..255 -> "255"
