#pragma once

#include <QString>

// Log lines on standard error, "ostrevo-feed: …". Quiet leaves only errors.
void setLogQuiet(bool quiet);
void logEvent(const QString& line);
void logError(const QString& line);

// Received text made safe for one log line: tabs shown as <TAB>, other
// control characters as "?", long text shortened.
QString printable(const QString& text);
