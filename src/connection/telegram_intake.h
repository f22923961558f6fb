// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class TelegramSink;
struct ReceivedRecord;

// Why a record became no telegram.
enum class DroppedRecord
{
    NoTelegram,       // "#!XX!#": the server's own notices
    NoFields,         // neither a TAB nor the marker "#![]!#"
    UnknownKeyword,   // a tab record that is no ZVEI, POC or FMSTlg
    TooFewFields,     // shorter than its kind needs
    StatusOutOfRange, // not an FMS status 0..18
};

// "Kein Telegramm", "Zu wenige Felder" ...: for the log.
QString droppedRecordText(DroppedRecord reason);

// One whole record in, at most one telegram out. A record that does not fit
// is dropped at the first test it fails; the reason is returned.
std::optional<DroppedRecord> classifyTelegram(const ReceivedRecord& record, TelegramSink& sink);
