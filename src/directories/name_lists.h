// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class Dialogs;
class Directories;
class StatusTables;

// Fills the directories and the status texts from the list files in
// `folder`, in the order start-up has always used: the status texts; the
// vehicles from Fahrzeug.Dat, else from the text list; the five-tone
// receivers from Ton5.dat, else from the text list; the POCSAG receivers.
// A record file of the wrong length is reported in a message box; missing
// or unreadable files are skipped silently. `announce` receives the
// "… geladen." messages.
void loadNameLists(const QString& folder, Directories& directories, StatusTables& statusTables,
                   Dialogs& dialogs, const std::function<void(const QString&)>& announce);

// The folder the lists are read from: the one the user named; else the
// current folder when it holds a list file or the "Settings" folder (where
// the program has always looked); else the user's data folder.
QString chooseListFolder(const std::optional<QString>& given, const QString& currentFolder,
                         const QString& dataFolder);
