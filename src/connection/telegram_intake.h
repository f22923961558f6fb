#pragma once

#include <QString>

class TelegramSink;

// One whole record in, at most one telegram out. Records that do not fit
// are dropped silently at the first test they fail.
void classifyTelegram(const QString& record, TelegramSink& sink);
