// SPDX-License-Identifier: GPL-3.0-or-later
#include "telegram_intake.h"

#include "common/leading_number.h"
#include "common/trim_spaces.h"
#include "common/whole_number.h"
#include "telegram/telegram_sink.h"

#include <QStringList>

namespace {

// The tab format: fields split at TAB, the kind named in field 0.
namespace TabField {
constexpr qsizetype Keyword = 0;
constexpr qsizetype FiveToneCode = 1;
constexpr qsizetype PocsagAddress = 1;
constexpr qsizetype PocsagSubAddress = 2;
constexpr qsizetype PocsagText = 3;
constexpr qsizetype FmsId = 1;
constexpr qsizetype FmsStatus = 6;
constexpr qsizetype FmsDirection = 8;
constexpr qsizetype FmsText = 13;
} // namespace TabField

// The marker format: fields split at "#![]!#", the kind told by the status.
namespace MarkerField {
constexpr qsizetype Identifier = 2; // five-tone code or FMS identifier
constexpr qsizetype Status = 3;
constexpr qsizetype Direction = 5;
constexpr qsizetype Count = 11; // fields a record has at least
constexpr qsizetype Text = 11;
} // namespace MarkerField

const QString Marker = QStringLiteral("#![]!#");

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

// The status field as a table index: the one place where the range is checked.
std::optional<int> statusOf(const QString& field)
{
    const double value = parseLeadingNumber(field);
    if (value > FmsStatus::Highest)
        return std::nullopt;
    const auto status = toInt16(value);
    if (!status || !isFmsStatus(*status))
        return std::nullopt;
    return int(*status);
}

std::optional<DroppedRecord> parseTabFms(const QStringList& fields, const ReceivedRecord& record,
                                         TelegramSink& sink)
{
    if (fields.size() <= TabField::FmsDirection)
        return DroppedRecord::TooFewFields;
    const auto status = statusOf(fields[TabField::FmsStatus]);
    if (!status)
        return DroppedRecord::StatusOutOfRange;
    FmsTelegram telegram{fields[TabField::FmsId], *status, FmsDirection::FromVehicle, QString(),
                         record};
    const bool hasText = fields.size() > TabField::FmsText;
    if (fields[TabField::FmsDirection] == u"0") {
        if (hasText)
            telegram.text = trimSpaces(fields[TabField::FmsText]);
    } else {
        telegram.direction = FmsDirection::ToVehicle;
        if (*status == FmsStatus::TextTelegram && hasText)
            telegram.text = trimSpaces(fields[TabField::FmsText]);
    }
    sink.handleFms(telegram);
    return std::nullopt;
}

std::optional<DroppedRecord> parseTabTelegram(const ReceivedRecord& record, TelegramSink& sink)
{
    if (!record.text.contains(u'\t'))
        return DroppedRecord::NoFields;
    const QStringList fields = record.text.split(u'\t');
    const QString& keyword = fields[TabField::Keyword];
    if (keyword == u"ZVEI") {
        sink.handleFiveTone({fields[TabField::FiveToneCode], record});
    } else if (keyword == u"POC") {
        if (fields.size() <= TabField::PocsagText)
            return DroppedRecord::TooFewFields;
        sink.handlePocsag({trimSpaces(fields[TabField::PocsagAddress]),
                           trimSpaces(fields[TabField::PocsagText]), record,
                           trimSpaces(fields[TabField::PocsagSubAddress])});
    } else if (keyword == u"FMSTlg") {
        return parseTabFms(fields, record, sink);
    } else {
        return DroppedRecord::UnknownKeyword;
    }
    return std::nullopt;
}

QString markedTextFromVehicle(const QStringList& fields, int status)
{
    if (fields.size() <= MarkerField::Text)
        return {};
    const QString& field = fields[MarkerField::Text];
    QString text = status == FmsStatus::TextTelegram
                       ? trimSpaces(QString(field).remove(QStringLiteral("DEZUD_GPSINFO : ")))
                       : trimSpaces(field);
    if (text.startsWith(u"DEZUD_"))
        text = cutDevicePrefix(text);
    return text;
}

QString markedTextToVehicle(const QStringList& fields, int status)
{
    if (status != FmsStatus::TextTelegram || fields.size() <= MarkerField::Text)
        return {};
    // This format writes the TRN mark as ";TRN"; the tab format as "&TRN".
    QString text = trimSpaces(
        QString(fields[MarkerField::Text]).replace(QStringLiteral(";TRN"), QStringLiteral("&TRN")));
    if (text.endsWith(u')')) {
        // The closing "(nn)" is a channel suffix; shorter texts have none to cut.
        text = text.size() >= 4 ? trimSpaces(QStringView(text).chopped(4)) : QString();
    }
    return text;
}

std::optional<DroppedRecord> parseMarkedTelegram(const ReceivedRecord& record, TelegramSink& sink)
{
    if (!record.text.contains(Marker))
        return DroppedRecord::NoFields;
    const QStringList fields = record.text.split(Marker);
    if (fields.size() < MarkerField::Count)
        return DroppedRecord::TooFewFields;
    const QString& identifier = fields[MarkerField::Identifier];
    // Exactly "16": " 16" is an FMS telegram with that status.
    if (fields[MarkerField::Status] == QString::number(FmsStatus::FiveToneMarker)) {
        sink.handleFiveTone({identifier, record});
        return std::nullopt;
    }
    const auto status = statusOf(fields[MarkerField::Status]);
    if (!status)
        return DroppedRecord::StatusOutOfRange;
    if (fields[MarkerField::Direction] == u"false")
        sink.handleFms({identifier, *status, FmsDirection::FromVehicle,
                        markedTextFromVehicle(fields, *status), record});
    else
        sink.handleFms({identifier, *status, FmsDirection::ToVehicle,
                        markedTextToVehicle(fields, *status), record});
    return std::nullopt;
}

} // namespace

QString droppedRecordText(DroppedRecord reason)
{
    switch (reason) {
    case DroppedRecord::NoTelegram:
        return QStringLiteral("kein Telegramm");
    case DroppedRecord::NoFields:
        return QStringLiteral("weder TAB noch Trennzeichen");
    case DroppedRecord::UnknownKeyword:
        return QStringLiteral("unbekannte Art");
    case DroppedRecord::TooFewFields:
        return QStringLiteral("zu wenige Felder");
    case DroppedRecord::StatusOutOfRange:
        return QStringLiteral("Status außerhalb 0 bis 18");
    }
    return {};
}

std::optional<DroppedRecord> classifyTelegram(const ReceivedRecord& record, TelegramSink& sink)
{
    const QString& text = record.text;
    if (text.startsWith(u"#!XX!#"))
        return DroppedRecord::NoTelegram;
    if (text.startsWith(u"ZVEI") || text.startsWith(u"POC") || text.startsWith(u"FMSTlg"))
        return parseTabTelegram(record, sink);
    return parseMarkedTelegram(record, sink);
}
