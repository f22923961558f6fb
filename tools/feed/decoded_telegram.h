// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/fms.h"

#include <QList>
#include <QString>

// What the bridge takes from a decoder line, before it becomes a record.

struct ZveiCall
{
    QString code; // five digits, repeat tones resolved
};

// A ZVEI1 line: one call, or two that came less than 70 ms apart.
struct FiveToneLine
{
    QList<ZveiCall> calls;
    bool repaired = false; // a digit doubled by a short drop was taken out
};

struct PocsagPage
{
    quint32 address = 0; // 21 bits
    int function = 0;    // 0..3, sent as sub-address A..D
    QString text;        // empty for a tone-only page
};

struct FmsReport
{
    QString id;     // eight hex digits: BOS, country, place (2), vehicle (4)
    int status = 0; // 0..15 as sent on air
    FmsDirection direction = FmsDirection::FromVehicle;
    int tacticalInfo = 0; // 0..3, the decoder prints I..IV
    QString text;
};
