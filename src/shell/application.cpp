// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "alarm/alarm_rules_source.h"
#include "alarm_window/alarm_page.h"
#include "alarm_window/alarm_rules_dialog.h"
#include "command_line.h"
#include "common/clock.h"
#include "directories/name_lists.h"
#include "gui_common/program_icon.h"
#include "history/history_window.h"
#include "journal/journal.h"
#include "more_settings/more_settings_window.h"
#include "more_settings/reception_page.h"
#include "more_settings/start_page.h"
#include "notifications/desktop_notifications.h"
#include "presentation/bar_use.h"
#include "presentation/load_announcer.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "statusboard_window/status_board_window.h"
#include "tray/tray_icon.h"

#include <QGuiApplication>

Application::Application(const ApplicationServices& services, QObject* parent)
    : QObject(parent), m_services(services), m_bar(m_settings),
      m_presenter(m_directories, m_statusTables, m_settings, m_bar, m_summary),
      m_connection(m_settings, m_presenter, services.clock),
      m_window(m_settings, m_connection, services.dialogs),
      m_alarms(services.clock, m_settings, services.sound, services.notifications),
      m_alarmList(m_alarms, services.clock), m_alarmWindow(m_alarmList),
      m_reception(services.clock, m_settings)
{
    connectReactions();
}

Application::~Application() = default;

void Application::start(const QString& listFolder, const CommandLine& commandLine)
{
    QGuiApplication::setWindowIcon(programIcon());
    m_started = m_services.clock.now();
    m_listFolder = listFolder;
    LoadAnnouncer announcer(m_settings, m_bar, m_services.clock);
    loadNameLists(listFolder, m_directories, m_statusTables, m_services.dialogs,
                  [&announcer](const QString& message) { announcer.announce(message); });
    m_connection.followAutoConnect();
    m_alarmRules = std::make_unique<AlarmRulesSource>(listFolder);
    connect(m_alarmRules.get(), &AlarmRulesSource::rulesChanged, this,
            &Application::followAlarmRules);
    m_alarmRules->load();

    Settings stored = readSettings(m_services.store);
    if (const auto address = commandLineAddress(commandLine.text))
        stored.serverAddress = *address;
    m_settings.apply(stored);
    m_bar.applyFont(stored.barFont); // the labels start with fonts of their own
    // Before the journal's writer opens the file: the board reads a file
    // it has not upgraded yet all the same.
    m_statusBoard.rebuild(m_directories.vehicles(), m_services.journalPath, m_services.clock.now(),
                          stored.dismissedRequests);

    createTrayIcon();
    // Into the top layer before it is first shown: changing a shown window's
    // layer makes Qt build its native window anew.
    if (m_settings.settings().barOnTop)
        m_bar.setOnTop(true);
    if (barInUse(m_settings.settings()))
        m_bar.show();
    // Only an icon in a notification area can bring a hidden window back.
    const bool stayInTray =
        commandLine.tray && m_settings.settings().trayIconWanted && m_services.tray.isAvailable();
    if (!stayInTray)
        m_window.show();
    m_reception.start();
    // No telegram can come before the connection, so the journal opens
    // after the window, on its own thread.
    m_journal = std::make_unique<Journal>(m_services.journalPath, m_services.clock,
                                          m_settings.settings().journalRetentionDays);
}

void Application::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (m_history)
        m_settings.setHistoryWindow(m_history->state());
    if (m_statusBoardWindow)
        m_settings.setStatusBoardWindow(m_statusBoardWindow->state());
    m_settings.setDismissedRequests(m_statusBoard.dismissalsText(m_services.clock.now()));
    writeSettings(m_settings.settings(), m_services.store);
    if (m_settings.settings().trayIconWanted && m_trayIcon)
        m_trayIcon->setVisible(false);
    m_connection.sayGoodbye();
    m_bar.hide();
    if (m_journal)
        m_journal->flush();
    if (m_services.endProcess)
        m_services.endProcess();
}

void Application::connectReactions()
{
    connect(&m_settings, &SettingsModel::autoConnectChanged, &m_connection,
            &ServerConnection::followAutoConnect);
    connect(&m_settings, &SettingsModel::barActiveChanged, this, [this] {
        const bool active = barInUse(m_settings.settings());
        m_bar.setVisible(active);
        if (active && m_trayIcon)
            m_trayIcon->stopFlashing(); // the bar shows what comes now
    });
    connect(&m_settings, &SettingsModel::barOnTopChanged, this, &Application::followBarOnTop);
    connect(&m_settings, &SettingsModel::barFontChanged, this,
            [this] { m_bar.applyFont(m_settings.settings().barFont); });
    connect(&m_settings, &SettingsModel::trayIconWantedChanged, this, [this] {
        if (m_trayIcon)
            m_trayIcon->setVisible(m_settings.settings().trayIconWanted);
    });
    connect(&m_window, &SettingsWindow::closed, this, &Application::shutDown);
    connect(&m_presenter, &TelegramPresenter::telegramHandled, this,
            &Application::onTelegramHandled);
    connect(&m_presenter, &TelegramPresenter::telegramHandled, &m_statusBoard, &StatusBoard::apply);
    connect(&m_alarms, &AlarmManager::changed, this, &Application::followAlarms);
    connect(&m_alarms, &AlarmManager::acknowledged, this, [this](const QDateTime& at) {
        if (m_journal)
            m_journal->acknowledgeAlarms(m_started, at);
    });
    connect(&m_alarmWindow, &AlarmWindow::acknowledgeRequested, &m_alarms,
            &AlarmManager::acknowledge);
    connect(&m_settings, &SettingsModel::changed, &m_reception, &ReceptionWatch::check);
    connect(&m_reception, &ReceptionWatch::problemChanged, this, &Application::followReception);
    connect(&m_reception, &ReceptionWatch::failed, this, [this](const QString& problem) {
        m_receptionNotification = m_services.notifications.show(
            {QStringLiteral("Kein Empfang"), problem, DesktopNotification::Urgency::Normal, false});
    });
    connect(&m_reception, &ReceptionWatch::recovered, this, [this] {
        const DesktopNotification back{QStringLiteral("Empfang wieder da"),
                                       QStringLiteral("Seit %1 kommen wieder Telegramme.")
                                           .arg(m_services.clock.now().toString(u"HH:mm")),
                                       DesktopNotification::Urgency::Normal, false};
        // The same notification: the warning gives way to the all-clear.
        if (m_receptionNotification != 0)
            m_services.notifications.update(m_receptionNotification, back);
        else
            m_services.notifications.show(back);
        m_receptionNotification = 0;
    });
}

void Application::createTrayIcon()
{
    m_trayIcon = std::make_unique<TrayIcon>(m_services.tray, m_services.dialogs,
                                            QGuiApplication::windowIcon(),
                                            m_services.executableName, m_window);
    m_trayIcon->setToolTip(QStringLiteral("Halvorn Client"));
    m_trayIcon->setVisible(m_settings.settings().trayIconWanted);
    connect(m_trayIcon.get(), &TrayIcon::mouseEvent, this, &Application::onTrayMouse);
    connect(m_trayIcon.get(), &TrayIcon::historyRequested, this, &Application::showHistory);
    connect(m_trayIcon.get(), &TrayIcon::statusBoardRequested, this, &Application::showStatusBoard);
    connect(m_trayIcon.get(), &TrayIcon::moreSettingsRequested, this,
            &Application::showMoreSettings);
    connect(m_trayIcon.get(), &TrayIcon::alarmRulesRequested, this, &Application::showAlarmRules);
    connect(m_trayIcon.get(), &TrayIcon::alarmAcknowledgeRequested, &m_alarms,
            &AlarmManager::acknowledge);
    // Where the tray cannot report the mouse resting on the icon, the tip
    // follows each telegram so that hovering shows the last one.
    connect(&m_summary, &TelegramSummary::changed, this, [this] {
        if (!m_services.tray.reportsMouseMovement())
            refreshToolTip();
    });
}

void Application::followBarOnTop()
{
    const Settings& settings = m_settings.settings();
    if (!barInUse(settings))
        return;
    if (settings.barOnTop)
        m_bar.show();
    m_bar.setOnTop(settings.barOnTop);
}

void Application::refreshToolTip()
{
    if (!m_trayIcon)
        return;
    if (m_alarms.book().isOpen())
        m_trayIcon->setToolTip(QStringLiteral("Alarm: ") +
                               alarmTitle(m_alarms.book().alarms().front()));
    else if (!m_reception.problem().isEmpty())
        m_trayIcon->setToolTip(m_reception.problem());
    else
        m_trayIcon->setToolTip(m_summary.text());
}

void Application::followReception(const QString& problem)
{
    if (m_trayIcon)
        m_trayIcon->setWarning(!problem.isEmpty());
    refreshToolTip();
    setNotice(QStringLiteral("reception"), problem);
}

void Application::onTrayMouse(TrayMouseEvent event)
{
    refreshToolTip();
    if (event != TrayMouseEvent::LeftDown)
        return;
    if (m_bar.isVisible())
        m_bar.hide();
    else
        m_bar.bringUp();
}

void Application::onTelegramHandled(const HandledTelegram& telegram)
{
    // Rules govern alarms whatever the bar's filters let through.
    HandledTelegram entry = telegram;
    entry.alarm = m_alarms.take(telegram);
    m_reception.take(telegram);
    if (m_journal)
        m_journal->append(entry);
    // With the bar switched off, a telegram it would have shown waits in the
    // list; the icon flashes until the user looks there or turns the bar on.
    if (telegram.passedFilters && !telegram.shown && m_trayIcon)
        m_trayIcon->startFlashing();
}

void Application::followLaterStart(const QStringList& arguments)
{
    const CommandLine commandLine = parseCommandLine(QStringList{QString()} + arguments);
    if (const auto address = commandLineAddress(commandLine.text))
        m_settings.setServerAddress(*address);
    if (!commandLine.tray)
        m_window.bringToFront();
}

void Application::showMoreSettings()
{
    if (!m_moreSettings) {
        m_moreSettings = std::make_unique<MoreSettingsWindow>();
        m_moreSettings->addPage(new StartPage(AutostartEntry(m_services.autostartPath),
                                              m_services.autostartCommand, m_services.dialogs),
                                QStringLiteral("Start"));
        m_alarmPage = new AlarmPage(m_settings);
        connect(m_alarmPage, &AlarmPage::rulesRequested, this, &Application::showAlarmRules);
        m_moreSettings->addPage(m_alarmPage, QStringLiteral("Alarmierung"));
        m_alarmPage->showRulesState(m_notices.value(QStringLiteral("alarm rules")));
        m_moreSettings->addPage(new ReceptionPage(m_settings), QStringLiteral("Empfang"));
    }
    m_moreSettings->showAndRaise();
}

void Application::showAlarmRules()
{
    if (!m_alarmRulesDialog) {
        m_alarmRulesDialog = std::make_unique<AlarmRulesDialog>(*m_alarmRules);
        connect(m_alarmRulesDialog.get(), &AlarmRulesDialog::testRequested, &m_alarms,
                &AlarmManager::raiseTest);
    }
    m_alarmRulesDialog->showAndRaise();
}

void Application::followAlarms()
{
    const bool open = m_alarms.book().isOpen();
    m_alarmList.refresh();
    m_alarmWindow.follow(open, m_bar.isVisible() ? m_bar.height() : 0);
    if (!m_trayIcon)
        return;
    m_trayIcon->setAlarmOpen(open);
    refreshToolTip();
}

void Application::followAlarmRules(const AlarmRules& rules)
{
    m_alarms.setRules(rules);
    QString notice;
    if (!rules.problems.isEmpty()) {
        notice = rules.problems.size() == 1
                     ? QStringLiteral("Alarmregeln: 1 Zeile übersprungen (%1)")
                           .arg(rules.problems[0].text())
                     : QStringLiteral("Alarmregeln: %1 Zeilen übersprungen (%2 …)")
                           .arg(rules.problems.size())
                           .arg(rules.problems[0].text());
    }
    setNotice(QStringLiteral("alarm rules"), notice);
    if (m_alarmPage)
        m_alarmPage->showRulesState(notice);
}

void Application::setNotice(const QString& about, const QString& text)
{
    if (text.isEmpty())
        m_notices.remove(about);
    else
        m_notices[about] = text;
    if (m_history)
        m_history->setNotices(m_notices.values());
}

void Application::showHistory()
{
    if (!m_history) {
        m_history = std::make_unique<HistoryWindow>(
            *m_journal, m_services.clock,
            [this](int status, FmsDirection direction) {
                return m_statusTables.lineColour(status, direction);
            },
            m_services.dialogs);
        m_history->setState(m_settings.settings().historyWindow);
        m_history->setNameListFolder(m_listFolder);
        m_history->setNotices(m_notices.values());
        connect(m_history.get(), &HistoryWindow::viewed, m_trayIcon.get(), &TrayIcon::stopFlashing);
    }
    m_history->showAndRaise();
}

void Application::showStatusBoard()
{
    if (!m_statusBoardWindow) {
        m_statusBoardWindow =
            std::make_unique<StatusBoardWindow>(m_statusBoard, m_statusTables, m_services.clock);
        m_statusBoardWindow->setState(m_settings.settings().statusBoardWindow);
    }
    m_statusBoardWindow->showAndRaise();
}
