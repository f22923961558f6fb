// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records.h"

#include <QList>
#include <QString>

class QIODevice;
class StatusTables;

// The text lists of the settings folder: code page 1252, one entry per line;
// lines without their keyword are skipped, so comments need no syntax.

// A list read from a text file. A file with more entries than the directory
// holds stops at the first one too many: the entries read so far are kept,
// but the file does not count as a full list.
template <typename Entry> struct TextList
{
    QList<Entry> entries;
    bool overflowed = false;
};

// "FME 12345 text": code in characters 5-9, character 10 a space.
TextList<FiveToneReceiver> readFiveToneTextList(QIODevice& file, int capacity);
// "KFZ 12345678 text": identifier in characters 5-12, character 13 a space.
TextList<Vehicle> readVehicleTextList(QIODevice& file, int capacity);

// "LST6:" and "KFZ6:" lines override the status texts from the vehicle and
// to the vehicle, status 0 upward in file order. Returns the number of
// "LST6:" lines taken; lines beyond the last status are ignored.
int readStatusTexts(QIODevice& file, StatusTables& tables);

// Drops up to three leading space-separated words
// ("a b c Wehr Nord" -> "Wehr Nord", "Florian Musterstadt 1/44-1" -> "1/44-1").
QString applyWordRule(QString text);
