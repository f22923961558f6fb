#pragma once

#include <QString>

class TelegramSink;

// One whole record in, at most one telegram out. Records that do not fit
// are dropped silently at the first test they fail.
void classifyTelegram(const QString& record, TelegramSink& sink);

// The tab format: "ZVEI", "POC" or "FMSTlg" in field 0, fields split at TAB.
void parseTabTelegram(const QString& record, TelegramSink& sink);

// The marker format: fields split at "#![]!#", the kind told by the status.
void parseMarkedTelegram(const QString& record, TelegramSink& sink);

// Shortens a text sent by a vehicle that begins with a device prefix
// ("DEZUD_X : rest" and "DEZUD_X Y rest" both become "rest").
QString cutDevicePrefix(const QString& text);
