// SPDX-License-Identifier: GPL-3.0-or-later
#include "decoder_line.h"

#include "five_tone_code.h"
#include "pager_text.h"

#include <QRegularExpression>

namespace {

enum class Demodulator
{
    Zvei,
    Pocsag,
    Fms
};

struct Tag
{
    const char* prefix;
    Demodulator demodulator;
};

const Tag Tags[] = {{"ZVEI1: ", Demodulator::Zvei},
                    {"POCSAG512: ", Demodulator::Pocsag},
                    {"POCSAG1200: ", Demodulator::Pocsag},
                    {"POCSAG2400: ", Demodulator::Pocsag},
                    {"FMS: ", Demodulator::Fms}};

// What follows the decoder's --timestamp prefix "2026-12-06 14:32:03: ",
// or a null view.
QByteArrayView afterTimestamp(QByteArrayView line)
{
    constexpr QByteArrayView pattern("9999-99-99 99:99:99: ");
    if (line.isNull() || line.size() < pattern.size())
        return {};
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool digit = line[i] >= '0' && line[i] <= '9';
        if (pattern[i] == '9' ? !digit : line[i] != pattern[i])
            return {};
    }
    return line.sliced(pattern.size());
}

// What follows the decoder's --label prefix "LABEL: ", or a null view.
QByteArrayView afterLabel(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(QByteArrayView(": "));
    return colon < 0 ? QByteArrayView() : line.sliced(colon + 2);
}

DecoderLine readZvei(QByteArrayView rest)
{
    const QByteArrayView symbols = rest.trimmed();
    for (const char symbol : symbols) {
        if (!(symbol >= '0' && symbol <= '9') && !(symbol >= 'A' && symbol <= 'F'))
            return IgnoredLine::Unreadable;
    }
    bool doubtful = false;
    const auto reading = readFiveTone(symbols, &doubtful);
    if (!reading)
        return doubtful ? IgnoredLine::DoubtfulFiveTone : IgnoredLine::IncompleteFiveTone;
    FiveToneLine calls{{}, reading->repaired};
    for (const QString& code : reading->calls)
        calls.calls.append(ZveiCall{code});
    return calls;
}

DecoderLine readPocsag(QByteArrayView rest, const LineGuards& guards)
{
    static const QRegularExpression format(QStringLiteral(
        "^Address: *(\\d{1,7}) +Function: *([0-3])(?: +(Alpha|Numeric|Skyper):(.*))?$"));
    constexpr quint32 HighestAddress = (1u << 21) - 1;
    const QString latin1 = QString::fromLatin1(rest.trimmed());
    const QRegularExpressionMatch match = format.match(latin1);
    if (!match.hasMatch())
        return IgnoredLine::Unreadable;
    const quint32 address = match.captured(1).toUInt();
    if (address > HighestAddress)
        return IgnoredLine::Unreadable;
    const QString kind = match.captured(3);
    if (kind == u"Skyper")
        return IgnoredLine::NotATelegram;
    PocsagPage page{address, match.captured(2).toInt(), QString()};
    if (!kind.isEmpty()) {
        // Latin-1 keeps one character per byte: the capture's offset is the byte offset.
        const QByteArrayView printed = rest.trimmed().sliced(match.capturedStart(4));
        if (kind == u"Alpha" && !guards.acceptGarbledText && isGarbled(printed))
            return IgnoredLine::GarbledText;
        page.text = pagerText(printed, kind == u"Alpha" ? PageKind::Alpha : PageKind::Numeric);
    }
    return page;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString tacticalText(int info)
{
    switch (info) {
    case 1:
        return QStringLiteral("mit Sondersignal");
    case 2:
        return QStringLiteral("mit Notarzt");
    case 3:
        return QStringLiteral("mit Notarzt und Sondersignal");
    default:
        return {};
    }
}

// The decoder prints the 48 bits after the sync word as one hex number
// whose lowest nibble came first: BOS, country, place (2), vehicle (4),
// status, then stage (bit 0), direction (bit 1) and tactical info (bits 2-3),
// then the check sum.
DecoderLine readFms(QByteArrayView rest, const LineGuards& guards)
{
    rest = rest.trimmed();
    constexpr qsizetype Digits = 12;
    if (rest.size() <= Digits || rest[Digits] != ' ')
        return IgnoredLine::Unreadable;
    int nibbles[Digits];
    for (qsizetype i = 0; i < Digits; ++i) {
        nibbles[i] = hexValue(rest[Digits - 1 - i]);
        if (nibbles[i] < 0)
            return IgnoredLine::Unreadable;
    }
    if (rest.contains(QByteArrayView("CRC INCORRECT")))
        return IgnoredLine::FmsCheckSum;
    if (rest.endsWith(QByteArrayView("CRC correct AFTER SWAPPING ONE BIT"))) {
        if (!guards.acceptCorrectedFms)
            return IgnoredLine::FmsCorrected;
    } else if (!rest.endsWith(QByteArrayView("CRC correct"))) {
        return IgnoredLine::Unreadable;
    }
    FmsReport report;
    for (int i = 0; i < 8; ++i)
        report.id += QString::number(nibbles[i], 16).toUpper();
    report.status = nibbles[8];
    report.direction = nibbles[9] & 2 ? FmsDirection::ToVehicle : FmsDirection::FromVehicle;
    report.tacticalInfo = nibbles[9] >> 2;
    report.text = tacticalText(report.tacticalInfo);
    return report;
}

} // namespace

DecoderLine readDecoderLine(QByteArrayView line, const LineGuards& guards)
{
    const QByteArrayView labelled = afterLabel(line);
    for (const QByteArrayView start :
         {line, afterTimestamp(line), labelled, afterTimestamp(labelled)}) {
        if (start.isNull())
            continue;
        for (const Tag& tag : Tags) {
            const QByteArrayView prefix(tag.prefix);
            if (!start.startsWith(prefix))
                continue;
            const QByteArrayView rest = start.sliced(prefix.size());
            switch (tag.demodulator) {
            case Demodulator::Zvei:
                return readZvei(rest);
            case Demodulator::Pocsag:
                return readPocsag(rest, guards);
            case Demodulator::Fms:
                return readFms(rest, guards);
            }
        }
    }
    return IgnoredLine::NotATelegram;
}
