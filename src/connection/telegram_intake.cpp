#include "telegram_intake.h"

#include "common/leading_number.h"
#include "common/trim_spaces.h"
#include "common/whole_number.h"
#include "telegram_sink.h"

#include <QStringList>
#include <optional>

namespace {

const QString kMarker = QStringLiteral("#![]!#");
constexpr double kHighestStatus = 18;

// The status field as a table index; statuses above 18 or below 0 are no
// valid index of the status tables and drop the telegram.
std::optional<std::int16_t> statusOf(const QString& field)
{
    const double value = ParseLeadingNumber(field);
    if (value > kHighestStatus)
        return std::nullopt;
    const auto status = ToInt16(value);
    if (!status || *status < 0)
        return std::nullopt;
    return status;
}

void parseTabFms(const QStringList& fields, TelegramSink& sink)
{
    if (fields.size() < 9)
        return;
    auto status = statusOf(fields[6]);
    if (!status)
        return;
    QString fmsId = fields[1];
    const bool hasText = fields.size() >= 14;
    QString text;
    if (fields[8] == u"0") {
        if (hasText)
            text = TrimSpaces(fields[13]);
        sink.HandleFmsFromVehicle(fmsId, *status, text);
        return;
    }
    if (*status == 10 && hasText)
        text = TrimSpaces(
            QString(fields[13]).replace(QStringLiteral("&TRN"), QStringLiteral("&&TRN")));
    sink.HandleFmsToVehicle(fmsId, *status, text);
}

QString markedTextFromVehicle(const QStringList& fields, std::int16_t status)
{
    if (fields.size() < 12)
        return {};
    QString text = status == 10
                       ? TrimSpaces(QString(fields[11]).remove(QStringLiteral("DEZUD_GPSINFO : ")))
                       : TrimSpaces(fields[11]);
    if (text.startsWith(u"DEZUD_"))
        text = CutDevicePrefix(text);
    return text;
}

QString markedTextToVehicle(const QStringList& fields, std::int16_t status)
{
    if (status != 10 || fields.size() < 12)
        return {};
    QString text =
        TrimSpaces(QString(fields[11]).replace(QStringLiteral(";TRN"), QStringLiteral("&&TRN")));
    if (text.endsWith(u')')) {
        // The closing "(nn)" is a channel suffix; shorter texts have none to cut.
        text = text.size() >= 4 ? TrimSpaces(QStringView(text).chopped(4)) : QString();
    }
    return text;
}

} // namespace

QString CutDevicePrefix(const QString& text)
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

void ClassifyTelegram(const QString& record, TelegramSink& sink)
{
    if (record.startsWith(u"#!XX!#"))
        return;
    if (record.startsWith(u"ZVEI") || record.startsWith(u"POC") || record.startsWith(u"FMSTlg")) {
        ParseTabTelegram(record, sink);
        return;
    }
    ParseMarkedTelegram(record, sink);
}

void ParseTabTelegram(const QString& record, TelegramSink& sink)
{
    if (!record.contains(u'\t'))
        return;
    const QStringList fields = record.split(u'\t');
    if (fields[0] == u"ZVEI") {
        if (fields.size() < 2)
            return;
        QString code = fields[1];
        sink.HandleFmeTelegram(code);
    } else if (fields[0] == u"POC") {
        if (fields.size() < 4)
            return;
        QString ric = TrimSpaces(fields[1]);
        QString text = TrimSpaces(fields[3]);
        sink.HandlePocsagTelegram(ric, text);
    } else if (fields[0] == u"FMSTlg") {
        parseTabFms(fields, sink);
    }
}

void ParseMarkedTelegram(const QString& record, TelegramSink& sink)
{
    if (!record.contains(kMarker))
        return;
    const QStringList fields = record.split(kMarker);
    if (fields.size() < 11)
        return;
    if (ParseLeadingNumber(fields[3]) > kHighestStatus)
        return;
    if (fields[3] == u"16") {
        QString code = fields[2];
        sink.HandleFmeTelegram(code);
        return;
    }
    auto status = statusOf(fields[3]);
    if (!status)
        return;
    QString fmsId = fields[2];
    if (fields[5] == u"false") {
        QString text = markedTextFromVehicle(fields, *status);
        sink.HandleFmsFromVehicle(fmsId, *status, text);
    } else {
        QString text = markedTextToVehicle(fields, *status);
        sink.HandleFmsToVehicle(fmsId, *status, text);
    }
}
