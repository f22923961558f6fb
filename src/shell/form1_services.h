#pragma once

#include <QString>
#include <functional>

class Clock;
class Dialogs;
class NotifyAreaService;
class SettingsStore;

// What the main window needs from outside: the seams tests replace.
struct Form1Services
{
    Dialogs& dialogs;
    const Clock& clock;
    NotifyAreaService& notifyArea;
    SettingsStore& settings;
    QString executableName;
    QString commandLine;
    // Ends the process after the orderly shut-down.
    std::function<void()> endProcess;
};
