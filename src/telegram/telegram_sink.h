// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/fms.h"

#include <QDateTime>
#include <QString>

// A record as it came from the server: its text without line end, decoded
// from code page 1252, and when it was taken from the connection.
struct ReceivedRecord
{
    QString text;
    QDateTime receivedAt;
};

// The decoded telegrams, each with the record it came from.
struct FiveToneCall
{
    QString code; // as received, not trimmed
    ReceivedRecord record;
};

struct PocsagMessage
{
    QString address; // trimmed of spaces
    QString text;    // trimmed of spaces
    ReceivedRecord record;
    QString subAddress; // "A" to "D", trimmed as received; servers may send "1" to "4"
};

struct FmsTelegram
{
    QString fmsId;  // as received, not trimmed
    int status = 0; // FmsStatus::Lowest..Highest, checked by the intake
    FmsDirection direction = FmsDirection::FromVehicle;
    QString text; // as received, trimmed; the TRN mark of text telegrams reads "&TRN"
    ReceivedRecord record;
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
