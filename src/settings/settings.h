// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/font_choice.h"
#include "window_placement.h"

#include <QString>

// Every option of the program, as one value. Texts that the user types
// freely and the program keeps verbatim stay texts (the lenient port and
// display time fields, the "Log only" lists); what the program only ever
// interprets one way is typed.
struct Settings
{
    static inline const QString DefaultDatabaseLogFilter =
        QStringLiteral("000;001;002;003;004;005;006;007;008;009;010;106;110");
    static inline const QString DefaultMessageFilter =
        QStringLiteral("000;001;002;003;004;005;006;007;008;009;015;106;110");

    // Server
    QString serverAddress = QStringLiteral("127.0.0.1");
    QString serverPort = QStringLiteral("7778");
    // Einstellungen
    bool autoConnect = false;
    QString databaseLogFilter = DefaultDatabaseLogFilter;
    // Datenbank: kept for the user, used nowhere
    QString databaseFile = QStringLiteral("FMS.mdb");
    QString databasePassword;
    // The message bar
    QString messageFilter = DefaultMessageFilter; // codes that reach the bar
    bool barActive = true;
    bool barOnTop = true;
    bool showUnlistedVehicles = true;
    bool showUnlistedReceivers = true;
    QString displayTime = QStringLiteral("30"); // seconds, as typed
    QString transparency = QStringLiteral("255");
    FontChoice barFont{QStringLiteral("Arial"), 10, false, false};
    bool trayIconWanted = true;
    // Journal
    int journalRetentionDays = 90; // 0 keeps everything
    WindowPlacement historyWindow;
    // Statusübersicht
    WindowPlacement statusBoardWindow;
    QString dismissedRequests; // the user's "Erledigt" of the last minutes, as the board writes it
    // Alarms
    int alarmRepeatSeconds = 10; // from one sounding to the next; 0: once
    bool alarmNotification = true;
    // Reception
    int receptionWarnMinutes = 0; // without any telegram; 0: no warning
    QString keepAlive;            // "ADDRESS MINUTES", empty for none

    // The controls' state when the settings window is created, before the
    // stored settings reach it: the list loaders of start-up see this.
    static Settings initialControls()
    {
        Settings controls;
        controls.autoConnect = true;
        return controls;
    }

    bool operator==(const Settings&) const = default;
};

// The settings as they are at this moment; read at each use, so that a
// change in the settings window takes effect at once.
class SettingsSource
{
public:
    virtual ~SettingsSource() = default;
    virtual const Settings& settings() const = 0;
};
