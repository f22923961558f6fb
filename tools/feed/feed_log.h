// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Log lines on standard error, "ostrevo-feed: …". Quiet leaves only errors.
void setLogQuiet(bool quiet);
void logEvent(const QString& line);
void logError(const QString& line);
