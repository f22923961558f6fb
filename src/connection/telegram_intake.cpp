#include "telegram_intake.h"

#include "common/leading_number.h"
#include "common/trim_spaces.h"
#include "common/whole_number.h"
#include "telegram/telegram_sink.h"

#include <QStringList>
#include <optional>

namespace {

// Shortens a text sent by a vehicle that begins with a device prefix
// ("DEZUD_X : rest" and "DEZUD_X Y rest" both become "rest").
QString cutDevicePrefix(const QString& text)
{
    const qsizetype colon = text.indexOf(u" : ");
    if (colon >= 0)
        return text.mid(colon + 3);
    const qsizetype first = text.indexOf(u' ');
    if (first < 0)
        return text;
    const qsizetype second = text.indexOf(u' ', first + 1);
    if (second < 0)
        return text;
    return text.mid(second + 1);
}

const QString kMarker = QStringLiteral("#![]!#");

// The status field as a table index; statuses above 18 or below 0 are no
// valid index of the status tables and drop the telegram.
std::optional<int> statusOf(const QString& field)
{
    const double value = parseLeadingNumber(field);
    if (value > HighestFmsStatus)
        return std::nullopt;
    const auto status = toInt16(value);
    if (!status || *status < 0)
        return std::nullopt;
    return int(*status);
}

void parseTabFms(const QStringList& fields, const QString& record, TelegramSink& sink)
{
    if (fields.size() < 9)
        return;
    const auto status = statusOf(fields[6]);
    if (!status)
        return;
    FmsTelegram telegram{fields[1], *status, FmsDirection::FromVehicle, QString(), record};
    const bool hasText = fields.size() >= 14;
    if (fields[8] == u"0") {
        if (hasText)
            telegram.text = trimSpaces(fields[13]);
    } else {
        telegram.direction = FmsDirection::ToVehicle;
        if (*status == 10 && hasText)
            telegram.text = trimSpaces(
                QString(fields[13]).replace(QStringLiteral("&TRN"), QStringLiteral("&&TRN")));
    }
    sink.handleFms(telegram);
}

QString markedTextFromVehicle(const QStringList& fields, int status)
{
    if (fields.size() < 12)
        return {};
    QString text = status == 10
                       ? trimSpaces(QString(fields[11]).remove(QStringLiteral("DEZUD_GPSINFO : ")))
                       : trimSpaces(fields[11]);
    if (text.startsWith(u"DEZUD_"))
        text = cutDevicePrefix(text);
    return text;
}

QString markedTextToVehicle(const QStringList& fields, int status)
{
    if (status != 10 || fields.size() < 12)
        return {};
    QString text =
        trimSpaces(QString(fields[11]).replace(QStringLiteral(";TRN"), QStringLiteral("&&TRN")));
    if (text.endsWith(u')')) {
        // The closing "(nn)" is a channel suffix; shorter texts have none to cut.
        text = text.size() >= 4 ? trimSpaces(QStringView(text).chopped(4)) : QString();
    }
    return text;
}

// The tab format: "ZVEI", "POC" or "FMSTlg" in field 0, fields split at TAB.
void parseTabTelegram(const QString& record, TelegramSink& sink)
{
    if (!record.contains(u'\t'))
        return;
    const QStringList fields = record.split(u'\t');
    if (fields[0] == u"ZVEI") {
        sink.handleFiveTone({fields[1], record});
    } else if (fields[0] == u"POC") {
        if (fields.size() < 4)
            return;
        sink.handlePocsag({trimSpaces(fields[1]), trimSpaces(fields[3]), record});
    } else if (fields[0] == u"FMSTlg") {
        parseTabFms(fields, record, sink);
    }
}

// The marker format: fields split at "#![]!#", the kind told by the status.
void parseMarkedTelegram(const QString& record, TelegramSink& sink)
{
    if (!record.contains(kMarker))
        return;
    const QStringList fields = record.split(kMarker);
    if (fields.size() < 11)
        return;
    if (fields[3] == u"16") {
        sink.handleFiveTone({fields[2], record});
        return;
    }
    const auto status = statusOf(fields[3]);
    if (!status)
        return;
    if (fields[5] == u"false")
        sink.handleFms({fields[2], *status, FmsDirection::FromVehicle,
                        markedTextFromVehicle(fields, *status), record});
    else
        sink.handleFms({fields[2], *status, FmsDirection::ToVehicle,
                        markedTextToVehicle(fields, *status), record});
}

} // namespace

void classifyTelegram(const QString& record, TelegramSink& sink)
{
    if (record.startsWith(u"#!XX!#"))
        return;
    if (record.startsWith(u"ZVEI") || record.startsWith(u"POC") || record.startsWith(u"FMSTlg")) {
        parseTabTelegram(record, sink);
        return;
    }
    parseMarkedTelegram(record, sink);
}
