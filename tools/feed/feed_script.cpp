// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed_script.h"

#include "common/cp1252.h"
#include "feed_records.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr int DefaultDelay = 2000;

QByteArray fms(const QString& id, int status, FmsDirection direction, const QString& text = {})
{
    return buildRecord(FmsReport{id, status, direction, 0, text});
}

QByteArray marked(const QString& id, int status, FmsDirection direction, const QString& text = {})
{
    QStringList fields{u"Halvorn"_s, u"FMS"_s,
                       id,           QString::number(status),
                       u"0"_s,       direction == FmsDirection::ToVehicle ? u"true"_s : u"false"_s,
                       u""_s,        u""_s,
                       u""_s,        u""_s,
                       u""_s};
    if (!text.isEmpty())
        fields << text;
    return encodeCp1252(fields.join(QStringLiteral("#![]!#")));
}

} // namespace

QList<FeedRecord> demoSequence()
{
    constexpr auto from = FmsDirection::FromVehicle;
    constexpr auto to = FmsDirection::ToVehicle;
    return {
        {1500, fms(u"61110144"_s, 3, from)},
        {2500, buildRecord(ZveiCall{u"21101"_s})},
        {2500, fms(u"61110144"_s, 4, from, u"Lage unklar"_s)},
        {2500, buildRecord(PocsagPage{1234567, 0,
                                      u"Küchenbrand Hauptstraße 5, Menschenleben in Gefahr"_s})},
        {2500, fms(u"62183101"_s, 5, from)},
        {2000, fms(u"62183101"_s, 6, to)},
        {2000, fms(u"62183101"_s, 15, from)},
        {2500, buildRecord(ZveiCall{u"29999"_s})},
        {2500, fms(u"61120146"_s, 1, from)},
        {2500, fms(u"61110130"_s, 10, to, u"Einsatz &TRN 4711 Brandmeldeanlage"_s)},
        {2500, marked(u"62182101"_s, 8, from)},
        {2500, marked(u"61130164"_s, 10, from, u"DEZUD_GPSINFO : 51.3127 9.4797"_s)},
        {2500, marked(u"21220"_s, 16, from)},
        {2500, buildRecord(PocsagPage{77001, 1, u"Probealarm – bitte quittieren"_s})},
        {2500, fms(u"69999999"_s, 2, from)},
        {2500, buildRecord(PocsagPage{1999999, 0, u"Übung Gefahrgut"_s})},
        {2500, marked(u"61110111"_s, 10, to, u"Lage;TRN 12 Einsatzleitung (03)"_s)},
        {2500, fms(u"61110144"_s, 2, from)},
    };
}

QList<FeedRecord> parseReplay(const QString& text)
{
    static const QRegularExpression delay(QStringLiteral("^@(\\d{1,7}) "));
    QList<FeedRecord> records;
    for (QString line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        int delayMs = DefaultDelay;
        if (const auto match = delay.match(line); match.hasMatch()) {
            delayMs = match.captured(1).toInt();
            line = line.mid(match.capturedLength());
        }
        if (line.isEmpty())
            continue;
        records.append(
            {delayMs, encodeCp1252(line.replace(QStringLiteral("\\t"), QStringLiteral("\t")))});
    }
    return records;
}
