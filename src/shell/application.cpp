#include "application.h"

#include "command_line.h"
#include "directories/name_lists.h"
#include "gui_common/program_icon.h"
#include "history/history_window.h"
#include "journal/journal.h"
#include "more_settings/more_settings_window.h"
#include "more_settings/start_page.h"
#include "presentation/bar_use.h"
#include "presentation/load_announcer.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "tray/tray_icon.h"

#include <QGuiApplication>

Application::Application(const ApplicationServices& services, QObject* parent)
    : QObject(parent), m_services(services), m_bar(m_settings),
      m_presenter(m_directories, m_statusTables, m_settings, m_bar, m_summary),
      m_connection(m_settings, m_presenter, services.clock),
      m_window(m_settings, m_connection, services.dialogs)
{
    connectReactions();
}

Application::~Application() = default;

void Application::start(const QString& listFolder, const CommandLine& commandLine)
{
    QGuiApplication::setWindowIcon(programIcon());
    m_listFolder = listFolder;
    LoadAnnouncer announcer(m_settings, m_bar, m_services.clock);
    loadNameLists(listFolder, m_directories, m_statusTables, m_services.dialogs,
                  [&announcer](const QString& message) { announcer.announce(message); });
    m_connection.followAutoConnect();

    Settings stored = readSettings(m_services.store);
    if (const auto address = commandLineAddress(commandLine.text))
        stored.serverAddress = *address;
    m_settings.apply(stored);
    m_bar.applyFont(stored.barFont); // the labels start with fonts of their own

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
    connect(m_trayIcon.get(), &TrayIcon::moreSettingsRequested, this,
            &Application::showMoreSettings);
    // Where the tray cannot report the mouse resting on the icon, the tip
    // follows each telegram so that hovering shows the last one.
    connect(&m_summary, &TelegramSummary::changed, this, [this] {
        if (!m_services.tray.reportsMouseMovement())
            m_trayIcon->setToolTip(m_summary.text());
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

void Application::onTrayMouse(TrayMouseEvent event)
{
    m_trayIcon->setToolTip(m_summary.text());
    if (event != TrayMouseEvent::LeftDown)
        return;
    if (m_bar.isVisible())
        m_bar.hide();
    else
        m_bar.bringUp();
}

void Application::onTelegramHandled(const HandledTelegram& telegram)
{
    if (m_journal)
        m_journal->append(telegram);
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
    }
    m_moreSettings->showAndRaise();
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
        connect(m_history.get(), &HistoryWindow::viewed, m_trayIcon.get(), &TrayIcon::stopFlashing);
    }
    m_history->showAndRaise();
}
