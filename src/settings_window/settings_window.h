// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "connection_display.h"
#include "settings_window_ui.h"

#include <QWidget>

class Dialogs;
class ServerConnection;
class SettingsModel;

// The settings window "Kaldrin": the server address, the connection status
// and button, and the behaviour of the message bar. Its controls show the
// settings model and edit it; closing the window ends the program.
class SettingsWindow final : public QWidget
{
    Q_OBJECT

public:
    SettingsWindow(SettingsModel& settings, ServerConnection& connection, Dialogs& dialogs,
                   QWidget* parent = nullptr);

    // Shows the window in front of the others, from the tray or minimised.
    void bringToFront();

signals:
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showSettings();
    void showConnection(const ConnectionReport& report);
    void chooseDatabaseFile();
    void chooseBarFont();
    void followWindowState();

    SettingsWindowUi m_ui;
    SettingsModel& m_settings;
    ServerConnection& m_connection;
    Dialogs& m_dialogs;
    ConnectionDisplay m_connectionDisplay;
};
