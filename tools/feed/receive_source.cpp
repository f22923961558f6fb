// SPDX-License-Identifier: GPL-3.0-or-later
#include "receive_source.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// What an RTL2832U stick with the usual tuners can receive.
constexpr double LowestHz = 24e6;
constexpr double HighestHz = 1766e6;
constexpr double HighestGain = 50;
constexpr int HighestPpm = 1000;

using Parsed = std::variant<ReceiveSource, QString>;

// "173.255M", "173255k", "173255000" in hertz, or NaN.
double frequencyHz(const QString& text)
{
    static const QRegularExpression format(QStringLiteral("^(\\d+(?:\\.\\d+)?)([kMG]?)$"));
    const QRegularExpressionMatch match = format.match(text);
    if (!match.hasMatch())
        return std::nan("");
    const QString unit = match.captured(2);
    const double scale = unit == u"k" ? 1e3 : unit == u"M" ? 1e6 : unit == u"G" ? 1e9 : 1;
    return match.captured(1).toDouble() * scale;
}

Parsed rtlSource(const QString& settings)
{
    const QStringList parts = settings.split(u',');
    const double hz = frequencyHz(parts.first());
    if (!(hz >= LowestHz && hz <= HighestHz))
        return QStringLiteral("Ungültige Frequenz „%1“: erwartet wird etwa 173.255M "
                              "(24 bis 1766 MHz).")
            .arg(parts.first());
    ReceiveSource source{ReceiveSource::Kind::Rtl,
                         QStringLiteral("rtl_fm"),
                         {QStringLiteral("-f"), QString::number(std::llround(hz)),
                          QStringLiteral("-M"), QStringLiteral("fm"), QStringLiteral("-s"),
                          QStringLiteral("22050")},
                         {}};
    for (const QString& part : parts.sliced(1)) {
        const QString key = part.section(u'=', 0, 0);
        const QString value = part.section(u'=', 1);
        bool ok = false;
        if (key == u"gain") {
            const double gain = value.toDouble(&ok);
            if (!ok || !(gain >= 0 && gain <= HighestGain))
                return QStringLiteral("Ungültige Verstärkung „%1“: erwartet werden 0 bis %2 dB.")
                    .arg(value)
                    .arg(HighestGain);
            source.arguments << QStringLiteral("-g") << value;
        } else if (key == u"ppm") {
            const int ppm = value.toInt(&ok);
            if (!ok || std::abs(ppm) > HighestPpm)
                return QStringLiteral("Ungültige Frequenzkorrektur „%1“: erwartet werden "
                                      "-%2 bis %2 ppm.")
                    .arg(value)
                    .arg(HighestPpm);
            source.arguments << QStringLiteral("-p") << QString::number(ppm);
        } else {
            return QStringLiteral("Unbekannte Einstellung „%1“ für rtl: erlaubt sind gain= "
                                  "und ppm=.")
                .arg(part);
        }
    }
    source.arguments << QStringLiteral("-");
    return source;
}

} // namespace

std::variant<ReceiveSource, QString> parseReceiveSource(const QString& text)
{
    const QString kind = text.section(u':', 0, 0);
    const QString rest = text.section(u':', 1);
    const bool hasRest = text.contains(u':');
    if (kind == u"rtl" && hasRest)
        return rtlSource(rest);
    if (kind == u"audio") {
        ReceiveSource source{ReceiveSource::Kind::Audio,
                             QStringLiteral("parec"),
                             {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                              QStringLiteral("--rate=22050"), QStringLiteral("--channels=1")},
                             {}};
        if (hasRest && rest.isEmpty())
            return QStringLiteral("„audio:“ ohne Gerät: „audio“ allein nimmt das Standardgerät.");
        if (hasRest)
            source.arguments << QStringLiteral("--device=") + rest;
        return source;
    }
    if (kind == u"file" && !rest.isEmpty())
        return ReceiveSource{ReceiveSource::Kind::File, {}, {}, rest};
    if (kind == u"exec" && !rest.trimmed().isEmpty())
        return ReceiveSource{
            ReceiveSource::Kind::Exec, QStringLiteral("/bin/sh"), {QStringLiteral("-c"), rest}, {}};
    return QStringLiteral("Unbekannte Quelle „%1“: erwartet wird rtl:FREQUENZ[,gain=G][,ppm=P], "
                          "audio[:GERÄT], file:PFAD oder exec:BEFEHL.")
        .arg(text);
}
