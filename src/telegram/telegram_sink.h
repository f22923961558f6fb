#pragma once

#include "telegram/fms.h"

#include <QString>

// The decoded telegrams, each with the record it came from (decoded from
// code page 1252, without its line end).
struct FiveToneCall
{
    QString code; // as received, not trimmed
    QString record;
};

struct PocsagMessage
{
    QString address; // trimmed of spaces
    QString text;    // trimmed of spaces
    QString record;
};

struct FmsTelegram
{
    QString fmsId;  // as received, not trimmed
    int status = 0; // 0..18
    FmsDirection direction = FmsDirection::FromVehicle;
    QString text;
    QString record;
};

// Receives what the intake decodes, one call per telegram.
class TelegramSink
{
public:
    virtual ~TelegramSink() = default;
    virtual void handleFiveTone(const FiveToneCall& call) = 0;
    virtual void handlePocsag(const PocsagMessage& message) = 0;
    virtual void handleFms(const FmsTelegram& telegram) = 0;
};
