// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"

class SettingsStore;

// The settings as the store keeps them: text values in the groups "Server",
// "Einstellungen" and "Datenbank" (the eighteen the program has always
// kept), "Journal" and "Telegramm-Liste". A key that is missing, or a
// hand-edited value that does not convert, gives the default.
Settings readSettings(const SettingsStore& store);

// Writes every key, in the order the file has always had.
void writeSettings(const Settings& settings, SettingsStore& store);
