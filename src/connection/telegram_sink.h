#pragma once

#include <QString>
#include <cstdint>

// Receives the decoded telegrams. Arguments are passed by reference because
// a handler may rewrite the text (the bracket form of FMS texts).
class TelegramSink
{
public:
    virtual ~TelegramSink() = default;
    virtual void HandleFmeTelegram(QString& code) = 0;
    virtual void HandlePocsagTelegram(QString& ric, QString& text) = 0;
    virtual void HandleFmsFromVehicle(QString& fmsId, std::int16_t& status, QString& text) = 0;
    virtual void HandleFmsToVehicle(QString& fmsId, std::int16_t& status, QString& text) = 0;
};
