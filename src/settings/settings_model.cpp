// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_model.h"

#include "setting_keys.h"
#include "settings_limits.h"

SettingsModel::SettingsModel(const Settings& initial, QObject* parent)
    : QObject(parent), m_settings(initial)
{
}

template <typename T, typename Signal>
void SettingsModel::assign(T Settings::*field, const T& value, Signal fieldSignal)
{
    if (m_settings.*field == value)
        return;
    m_settings.*field = value;
    if (fieldSignal)
        emit(this->*fieldSignal)();
    emit changed();
}

template <typename T> void SettingsModel::assign(T Settings::*field, const T& value)
{
    assign(field, value, static_cast<void (SettingsModel::*)()>(nullptr));
}

void SettingsModel::apply(const Settings& stored)
{
    const Settings before = m_settings;
    m_settings = stored;
    limitSettings(m_settings);
    // The reactions run in the order the file's keys have always been read.
    const auto changedField = [&before, this](auto Settings::*field) {
        return before.*field != m_settings.*field;
    };
    if (changedField(&Settings::autoConnect))
        emit autoConnectChanged();
    if (changedField(&Settings::barActive))
        emit barActiveChanged();
    if (changedField(&Settings::barOnTop))
        emit barOnTopChanged();
    if (changedField(&Settings::barFont))
        emit barFontChanged();
    if (changedField(&Settings::trayIconWanted))
        emit trayIconWantedChanged();
    if (before != m_settings)
        emit changed();
}

void SettingsModel::setServerAddress(const QString& address)
{
    assign(&Settings::serverAddress, address);
}

void SettingsModel::setServerPort(const QString& port)
{
    assign(&Settings::serverPort, port);
}

void SettingsModel::setAutoConnect(bool on)
{
    assign(&Settings::autoConnect, on, &SettingsModel::autoConnectChanged);
}

void SettingsModel::setDatabaseLogFilter(const QString& filter)
{
    assign(&Settings::databaseLogFilter, filter);
}

void SettingsModel::setDatabaseFile(const QString& path)
{
    assign(&Settings::databaseFile, path);
}

void SettingsModel::setDatabasePassword(const QString& password)
{
    assign(&Settings::databasePassword, password);
}

void SettingsModel::setMessageFilter(const QString& filter)
{
    assign(&Settings::messageFilter, filter);
}

void SettingsModel::setDisplayTime(const QString& seconds)
{
    assign(&Settings::displayTime, limitDisplayTime(seconds));
}

void SettingsModel::setBarActive(bool on)
{
    assign(&Settings::barActive, on, &SettingsModel::barActiveChanged);
}

void SettingsModel::setBarOnTop(bool on)
{
    assign(&Settings::barOnTop, on, &SettingsModel::barOnTopChanged);
}

void SettingsModel::setShowUnlistedReceivers(bool on)
{
    assign(&Settings::showUnlistedReceivers, on);
}

void SettingsModel::setShowUnlistedVehicles(bool on)
{
    assign(&Settings::showUnlistedVehicles, on);
}

void SettingsModel::setTransparency(const QString& value)
{
    assign(&Settings::transparency, limitTransparency(value));
}

void SettingsModel::setBarFont(const FontChoice& font)
{
    assign(&Settings::barFont, font, &SettingsModel::barFontChanged);
}

void SettingsModel::setTrayIconWanted(bool on)
{
    assign(&Settings::trayIconWanted, on, &SettingsModel::trayIconWantedChanged);
}

void SettingsModel::setHistoryWindow(const WindowPlacement& state)
{
    assign(&Settings::historyWindow, state);
}

void SettingsModel::setStatusBoardWindow(const WindowPlacement& state)
{
    assign(&Settings::statusBoardWindow, state);
}

void SettingsModel::setDismissedRequests(const QString& dismissed)
{
    assign(&Settings::dismissedRequests, dismissed);
}

void SettingsModel::setAlarmRepeatSeconds(int seconds)
{
    assign(&Settings::alarmRepeatSeconds, limitRepeatSeconds(seconds));
}

void SettingsModel::setAlarmNotification(bool on)
{
    assign(&Settings::alarmNotification, on);
}

void SettingsModel::setReceptionWarnMinutes(int minutes)
{
    assign(&Settings::receptionWarnMinutes, limitWarnMinutes(minutes));
}

void SettingsModel::setKeepAlive(const QString& keepAlive)
{
    assign(&Settings::keepAlive, keepAlive);
}
