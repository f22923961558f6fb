// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decoded_telegram.h"

#include <QByteArrayView>
#include <variant>

// Why a line of decoder output became no record. The bridge counts them.
enum class IgnoredLine
{
    NotATelegram,       // banners, other demodulators, Skyper pages
    IncompleteFiveTone, // fewer than five digits
    DoubtfulFiveTone,   // more than five digits, but neither one call nor two
    FmsCheckSum,        // the decoder reports the check sum wrong
    FmsCorrected,       // right only after the decoder changed a bit
    GarbledText,        // a POCSAG text with control characters inside
    Unreadable,         // a telegram line that does not parse (cut, garbled)
    TooLong,            // longer than any decoder line
    CutOff,             // the input ended inside the line
    Repeat,             // the same telegram again within the repeat window
};

using DecoderLine = std::variant<IgnoredLine, FiveToneLine, PocsagPage, FmsReport>;

// What passes the check sums is not always a telegram: noise decodes as
// FMS telegrams a bit away from a right one, and as pages whose text is
// control characters. Each guard can be loosened.
struct LineGuards
{
    bool acceptCorrectedFms = false;
    bool acceptGarbledText = false;
};

// One line of multimon-ng's standard output, without line end. Understands
// ZVEI1, POCSAG512/1200/2400 and FMSFSK lines, also behind the decoder's
// --label and --timestamp prefixes.
DecoderLine readDecoderLine(QByteArrayView line, const LineGuards& guards = {});
