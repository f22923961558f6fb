// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringList>
#include <optional>

// The calls in the symbols of a ZVEI1 line. "E", the repeat tone, repeats
// the symbol before it (two equal tones in a row would merge into one).
// Other letters after the digits, an alarm tone right behind the
// sequence, are cut off.
//   five symbols   one call
//   ten symbols    two calls: sequences less than 70 ms apart share a line
//   other lengths  doubtful. A clean decode never has two equal symbols in
//                  a row; a short drop inside a tone does ("122345" for
//                  12345). With such doublings taken out, five or ten
//                  symbols are read as above, marked repaired; otherwise
//                  the line is no call.
struct FiveToneReading
{
    QStringList calls;
    bool repaired = false;
};

// Nothing for fewer than five symbols, and for doubtful lines that stay
// doubtful (`doubtful` then tells which).
std::optional<FiveToneReading> readFiveTone(QByteArrayView symbols, bool* doubtful);
