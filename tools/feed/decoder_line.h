#pragma once

#include "decoded_telegram.h"

#include <QByteArrayView>
#include <variant>

// Why a line of decoder output became no record. The bridge counts them.
enum class IgnoredLine
{
    NotATelegram,       // banners, other demodulators, Skyper pages
    IncompleteFiveTone, // not five digits once repeat tones are resolved
    FmsCheckSum,        // the decoder reports the check sum wrong
    Unreadable,         // a telegram line that does not parse (cut, garbled)
    TooLong,            // longer than any decoder line
    CutOff,             // the input ended inside the line
    Repeat,             // the same telegram again within the repeat window
};

using DecoderLine = std::variant<IgnoredLine, ZveiCall, PocsagPage, FmsReport>;

// One line of multimon-ng's standard output, without line end. Understands
// ZVEI1, POCSAG512/1200/2400 and FMSFSK lines, also behind the decoder's
// --label and --timestamp prefixes.
DecoderLine readDecoderLine(QByteArrayView line);
