// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QIODevice;

// Reads code page 1252 text line by line. A line ends at CR, CR LF or LF
// (Linux editors write LF alone); the last line needs no line end. Lines
// longer than MaxLineLength keep their beginning, so memory stays bounded.
// The callback returns false to stop reading.
constexpr qsizetype MaxLineLength = 64 * 1024;
void forEachLine(QIODevice& device, const std::function<bool(const QString&)>& take);
