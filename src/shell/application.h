// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/alarm_list_model.h"
#include "alarm/alarm_manager.h"
#include "alarm_window/alarm_window.h"
#include "command_line.h"
#include "connection/server_connection.h"
#include "directories/directories.h"
#include "directories/status_tables.h"
#include "message_bar/message_bar_window.h"
#include "presentation/telegram_presenter.h"
#include "presentation/telegram_summary.h"
#include "reception/reception_watch.h"
#include "settings/settings.h"
#include "settings/settings_model.h"
#include "settings_window/settings_window.h"
#include "statusboard/status_board.h"
#include "tray/tray_service.h"

#include <QObject>
#include <functional>
#include <memory>

class Clock;
class Dialogs;
class AlarmPage;
class AlarmRulesDialog;
class AlarmRulesSource;
class DesktopNotifications;
class HistoryWindow;
class SoundPlayer;
class MoreSettingsWindow;
class Journal;
class SettingsStore;
class StatusBoardWindow;
class TrayIcon;

// What the application needs from outside: the seams tests replace.
struct ApplicationServices
{
    Dialogs& dialogs;
    const Clock& clock;
    TrayService& tray;
    SettingsStore& store;
    SoundPlayer& sound;
    DesktopNotifications& notifications;
    QString journalPath;
    QString executableName;
    QString autostartPath;    // the desktop entry that starts the program at login
    QString autostartCommand; // what that entry runs
    // Ends the process after the orderly shut-down.
    std::function<void()> endProcess;
};

// The program as a whole: it owns the program-wide data (directories,
// status tables, the summary of the last telegram), the settings, the
// windows and the connection, and runs start-up and shut-down.
class Application final : public QObject
{
    Q_OBJECT

public:
    explicit Application(const ApplicationServices& services, QObject* parent = nullptr);
    ~Application() override;

    // Start-up, in this order: the name lists from `listFolder`, the
    // reconnect timer, the stored settings (with the server address from
    // the command line), the tray icon, the message bar; then the settings
    // window appears (unless --tray asks to stay in the tray) and the
    // journal opens. Nothing connects here.
    void start(const QString& listFolder, const CommandLine& commandLine);
    // A later start handed over its arguments: its server address applies as
    // at start, and the settings window comes to the front (not for --tray).
    void followLaterStart(const QStringList& arguments);
    // The orderly shut-down: settings saved, tray icon removed, the server
    // asked to close, the journal written, the process ended. Runs once,
    // however it is reached.
    void shutDown();

private:
    void connectReactions();
    void createTrayIcon();
    void followBarOnTop();
    void onTrayMouse(TrayMouseEvent event);
    void onTelegramHandled(const HandledTelegram& telegram);
    void showHistory();
    void showStatusBoard();
    void showMoreSettings();
    void showAlarmRules();
    void followAlarms();
    void followAlarmRules(const AlarmRules& rules);
    void followReception(const QString& problem);
    void refreshToolTip();
    // A line of the history window's status, by what it is about.
    void setNotice(const QString& about, const QString& text);

    ApplicationServices m_services;
    Directories m_directories;
    StatusTables m_statusTables;
    TelegramSummary m_summary;
    SettingsModel m_settings;
    MessageBarWindow m_bar;
    TelegramPresenter m_presenter;
    StatusBoard m_statusBoard;
    ServerConnection m_connection;
    SettingsWindow m_window;
    std::unique_ptr<TrayIcon> m_trayIcon;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<HistoryWindow> m_history;
    std::unique_ptr<StatusBoardWindow> m_statusBoardWindow;
    std::unique_ptr<MoreSettingsWindow> m_moreSettings;
    AlarmPage* m_alarmPage = nullptr; // a tab of m_moreSettings
    AlarmManager m_alarms;
    AlarmListModel m_alarmList;
    AlarmWindow m_alarmWindow;
    std::unique_ptr<AlarmRulesSource> m_alarmRules;
    std::unique_ptr<AlarmRulesDialog> m_alarmRulesDialog;
    QMap<QString, QString> m_notices;
    ReceptionWatch m_reception;
    int m_receptionNotification = 0;
    QDateTime m_started;
    QString m_listFolder;
    bool m_shutDown = false;
};
