#pragma once

#include <QString>
#include <functional>

class Dialogs;
class Directories;

// What the list loaders work with: the directories they fill, the folder
// the list file names are relative to, the message boxes for invalid files
// and the announcement of how many entries were loaded.
struct ListLoadContext
{
    Directories& directories;
    QString baseDir;
    Dialogs& dialogs;
    std::function<void(const QString&)> announce;
};
