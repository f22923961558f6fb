#pragma once

#include <QString>

class Clock;
class Dialogs;
class NotifyAreaService;

// What the main window needs from outside: the seams tests replace.
struct Form1Services
{
    Dialogs& dialogs;
    const Clock& clock;
    NotifyAreaService& notifyArea;
    QString executableName;
};
