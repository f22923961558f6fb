#include "feed_script.h"

#include "common/cp1252.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int kDefaultDelay = 2000;

QByteArray tab(const QStringList& fields)
{
    return encodeCp1252(fields.join(u'\t'));
}

// Field 6 the status, field 8 the direction, field 13 the text.
QByteArray fms(const QString& id, int status, bool toVehicle, const QString& text = {})
{
    QStringList fields{u"FMSTlg"_qs,
                       id,
                       u"1"_qs,
                       u"0"_qs,
                       u"1"_qs,
                       u"0"_qs,
                       QString::number(status),
                       u"0"_qs,
                       toVehicle ? u"1"_qs : u"0"_qs};
    if (!text.isEmpty())
        fields << u"0"_qs << u"0"_qs << u"0"_qs << u"0"_qs << text;
    return tab(fields);
}

QByteArray marked(const QString& id, int status, bool toVehicle, const QString& text = {})
{
    QStringList fields{u"Halvorn"_qs,
                       u"FMS"_qs,
                       id,
                       QString::number(status),
                       u"0"_qs,
                       toVehicle ? u"true"_qs : u"false"_qs,
                       u""_qs,
                       u""_qs,
                       u""_qs,
                       u""_qs,
                       u""_qs};
    if (!text.isEmpty())
        fields << text;
    return encodeCp1252(fields.join(QStringLiteral("#![]!#")));
}

} // namespace

QList<FeedRecord> DemoSequence()
{
    return {
        {1500, fms(u"61110144"_qs, 3, false)},
        {2500, tab({u"ZVEI"_qs, u"21101"_qs})},
        {2500, fms(u"61110144"_qs, 4, false, u"Lage unklar"_qs)},
        {2500, tab({u"POC"_qs, u"1234567"_qs, u"A"_qs,
                    u"Küchenbrand Hauptstraße 5, Menschenleben in Gefahr"_qs})},
        {2500, fms(u"62183101"_qs, 5, false)},
        {2000, fms(u"62183101"_qs, 6, true)},
        {2000, fms(u"62183101"_qs, 15, false)},
        {2500, tab({u"ZVEI"_qs, u"29999"_qs})},
        {2500, fms(u"61120146"_qs, 1, false)},
        {2500, fms(u"61110130"_qs, 10, true, u"Einsatz &TRN 4711 Brandmeldeanlage"_qs)},
        {2500, marked(u"62182101"_qs, 8, false)},
        {2500, marked(u"61130164"_qs, 10, false, u"DEZUD_GPSINFO : 51.3127 9.4797"_qs)},
        {2500, marked(u"21220"_qs, 16, false)},
        {2500, tab({u"POC"_qs, u"0077001"_qs, u"B"_qs, u"Probealarm – bitte quittieren"_qs})},
        {2500, fms(u"69999999"_qs, 2, false)},
        {2500, tab({u"POC"_qs, u"1999999"_qs, u"A"_qs, u"Übung Gefahrgut"_qs})},
        {2500, marked(u"61110111"_qs, 10, true, u"Lage;TRN 12 Einsatzleitung (03)"_qs)},
        {2500, fms(u"61110144"_qs, 2, false)},
    };
}

QList<FeedRecord> ParseReplay(const QString& text)
{
    static const QRegularExpression delay(QStringLiteral("^@(\\d{1,7}) "));
    QList<FeedRecord> records;
    for (QString line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        int delayMs = kDefaultDelay;
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
