// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"

#include <QObject>

// The settings while the program runs. The settings window edits it and
// mirrors it; the connection, the telegram handlers and the message bar read
// it at the moment of use. A setter announces a change only when the value
// really changes, whether the user or start-up made it.
class SettingsModel final : public QObject, public SettingsSource
{
    Q_OBJECT

public:
    explicit SettingsModel(const Settings& initial = Settings::initialControls(),
                           QObject* parent = nullptr);

    const Settings& settings() const override { return m_settings; }

    // Takes over stored settings within their limits; the change reactions
    // run in the order the settings file is read.
    void apply(const Settings& stored);

    void setServerAddress(const QString& address);
    void setServerPort(const QString& port);
    void setAutoConnect(bool on);
    void setDatabaseLogFilter(const QString& filter);
    void setDatabaseFile(const QString& path);
    void setDatabasePassword(const QString& password);
    void setMessageFilter(const QString& filter);
    // Above 65 seconds becomes "65"; other texts are kept as typed.
    void setDisplayTime(const QString& seconds);
    void setBarActive(bool on);
    void setBarOnTop(bool on);
    void setShowUnlistedReceivers(bool on);
    void setShowUnlistedVehicles(bool on);
    // Outside 0..255 becomes "255".
    void setTransparency(const QString& value);
    void setBarFont(const FontChoice& font);
    void setTrayIconWanted(bool on);
    void setHistoryWindow(const WindowPlacement& state);
    void setStatusBoardWindow(const WindowPlacement& state);
    void setDismissedRequests(const QString& dismissed);
    void setAlarmRepeatSeconds(int seconds);
    void setAlarmNotification(bool on);
    void setReceptionWarnMinutes(int minutes);
    void setKeepAlive(const QString& keepAlive);

signals:
    void changed(); // any field
    void autoConnectChanged();
    void barActiveChanged();
    void barOnTopChanged();
    void barFontChanged();
    void trayIconWantedChanged();

private:
    template <typename T, typename Signal>
    void assign(T Settings::*field, const T& value, Signal fieldSignal);
    template <typename T> void assign(T Settings::*field, const T& value);

    Settings m_settings;
};
