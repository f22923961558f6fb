#pragma once

#include "connection/telegram_sink.h"

#include <QString>
#include <QStringList>

// Writes every handler call as one line: "FME|code", "POC|ric|text",
// "FROM|id|status|text", "TO|id|status|text".
class RecordingSink final : public TelegramSink
{
public:
    QStringList calls;

    void HandleFmeTelegram(QString& code) override { calls << QStringLiteral("FME|") + code; }
    void HandlePocsagTelegram(QString& ric, QString& text) override
    {
        calls << QStringLiteral("POC|") + ric + u'|' + text;
    }
    void HandleFmsFromVehicle(QString& id, std::int16_t& status, QString& text) override
    {
        calls << QStringLiteral("FROM|") + id + u'|' + QString::number(status) + u'|' + text;
    }
    void HandleFmsToVehicle(QString& id, std::int16_t& status, QString& text) override
    {
        calls << QStringLiteral("TO|") + id + u'|' + QString::number(status) + u'|' + text;
    }
};
