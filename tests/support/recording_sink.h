// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/telegram_sink.h"

#include <QStringList>

// Writes every telegram as one line: "FME|code", "POC|address|text",
// "FROM|id|status|text", "TO|id|status|text".
class RecordingSink final : public TelegramSink
{
public:
    QStringList calls;
    QStringList records;
    QList<QDateTime> times;
    QStringList subAddresses; // of the POCSAG messages

    void handleFiveTone(const FiveToneCall& call) override
    {
        calls << QStringLiteral("FME|") + call.code;
        records << call.record.text;
        times << call.record.receivedAt;
    }
    void handlePocsag(const PocsagMessage& message) override
    {
        calls << QStringLiteral("POC|") + message.address + u'|' + message.text;
        subAddresses << message.subAddress;
        records << message.record.text;
        times << message.record.receivedAt;
    }
    void handleFms(const FmsTelegram& telegram) override
    {
        const QString direction = telegram.direction == FmsDirection::FromVehicle
                                      ? QStringLiteral("FROM|")
                                      : QStringLiteral("TO|");
        calls << direction + telegram.fmsId + u'|' + QString::number(telegram.status) + u'|' +
                     telegram.text;
        records << telegram.record.text;
        times << telegram.record.receivedAt;
    }
};
