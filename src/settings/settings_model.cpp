#include "settings_model.h"

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
    setServerAddress(stored.serverAddress);
    setServerPort(stored.serverPort);
    setAutoConnect(stored.autoConnect);
    setDatabaseFile(stored.databaseFile);
    setDatabasePassword(stored.databasePassword);
    setDatabaseLogFilter(stored.databaseLogFilter);
    setMessageFilter(stored.messageFilter);
    setDisplayTime(stored.displayTime);
    setBarActive(stored.barActive);
    setBarOnTop(stored.barOnTop);
    setShowUnlistedReceivers(stored.showUnlistedReceivers);
    setShowUnlistedVehicles(stored.showUnlistedVehicles);
    setTransparency(stored.transparency);
    setBarFont(stored.barFont);
    setTrayIconWanted(stored.trayIconWanted);
    assign(&Settings::journalRetentionDays, stored.journalRetentionDays);
    setHistoryWindow(stored.historyWindow);
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

void SettingsModel::setHistoryWindow(const HistoryWindowState& state)
{
    assign(&Settings::historyWindow, state);
}
