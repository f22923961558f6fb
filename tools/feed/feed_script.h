// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One record the feed sends, after waiting `delayMs` since the previous one.
struct FeedRecord
{
    int delayMs = 0;
    QByteArray bytes; // code page 1252, without line end
};

// The built-in demo sequence: FMS telegrams from and to vehicles, five-tone
// calls listed and unlisted, POCSAG messages, marker-format records.
QList<FeedRecord> demoSequence();

// A replay file: one record per line; an optional "@<milliseconds> " in
// front sets the pause before it (default 2000); "\t" stands for a TAB.
// Blank lines are skipped.
QList<FeedRecord> parseReplay(const QString& text);
