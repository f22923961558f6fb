// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_window.h"

#include "common/dialogs.h"
#include "common/twips.h"
#include "connection/server_connection.h"
#include "gui_common/text_colour.h"
#include "gui_common/window_state.h"
#include "settings/settings_model.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int ClientWidthTwips = 8355;
constexpr int ClientHeightTwips = 1680;

// Shows a value in a control without echoing it back as an edit.
void showText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

} // namespace

SettingsWindow::SettingsWindow(SettingsModel& settings, ServerConnection& connection,
                               Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_settings(settings), m_connection(connection), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kaldrin"));
    m_ui.setupUi(*this);
    setFixedSize(twipsToPixels(ClientWidthTwips), twipsToPixels(ClientHeightTwips));
    showSettings();
    showConnection({});

    // A field the model corrects ("66" seconds become "65") shows the
    // correction even when the model's value stays the same.
    const auto bindText = [this](QLineEdit* field, auto setter) {
        connect(field, &QLineEdit::textChanged, this, [this, setter](const QString& text) {
            (m_settings.*setter)(text);
            showSettings();
        });
    };
    const auto bindCheck = [this](QCheckBox* box, auto setter) {
        connect(box, &QCheckBox::toggled, &m_settings, setter);
    };
    bindText(m_ui.address, &SettingsModel::setServerAddress);
    bindText(m_ui.port, &SettingsModel::setServerPort);
    bindCheck(m_ui.autoConnect, &SettingsModel::setAutoConnect);
    bindText(m_ui.databaseFile, &SettingsModel::setDatabaseFile);
    bindText(m_ui.password, &SettingsModel::setDatabasePassword);
    bindText(m_ui.databaseFilter, &SettingsModel::setDatabaseLogFilter);
    bindText(m_ui.messageFilter, &SettingsModel::setMessageFilter);
    bindText(m_ui.displayTime, &SettingsModel::setDisplayTime);
    bindCheck(m_ui.barActive, &SettingsModel::setBarActive);
    bindCheck(m_ui.barOnTop, &SettingsModel::setBarOnTop);
    bindCheck(m_ui.showUnlistedReceivers, &SettingsModel::setShowUnlistedReceivers);
    bindCheck(m_ui.showUnlistedVehicles, &SettingsModel::setShowUnlistedVehicles);
    bindText(m_ui.transparency, &SettingsModel::setTransparency);
    bindCheck(m_ui.trayIcon, &SettingsModel::setTrayIconWanted);
    connect(&m_settings, &SettingsModel::changed, this, &SettingsWindow::showSettings);

    connect(m_ui.connectButton, &QPushButton::clicked, &m_connection,
            &ServerConnection::toggleConnection);
    connect(&m_connection, &ServerConnection::reported, this, &SettingsWindow::showConnection);
    connect(m_ui.databaseButton, &QPushButton::clicked, this, &SettingsWindow::chooseDatabaseFile);
    connect(m_ui.fontButton, &QPushButton::clicked, this, &SettingsWindow::chooseBarFont);
}

void SettingsWindow::showSettings()
{
    const Settings& s = m_settings.settings();
    showText(m_ui.address, s.serverAddress);
    showText(m_ui.port, s.serverPort);
    m_ui.autoConnect->setChecked(s.autoConnect);
    showText(m_ui.databaseFile, s.databaseFile);
    showText(m_ui.password, s.databasePassword);
    showText(m_ui.databaseFilter, s.databaseLogFilter);
    showText(m_ui.messageFilter, s.messageFilter);
    showText(m_ui.displayTime, s.displayTime);
    m_ui.barActive->setChecked(s.barActive);
    m_ui.barOnTop->setChecked(s.barOnTop);
    m_ui.showUnlistedReceivers->setChecked(s.showUnlistedReceivers);
    m_ui.showUnlistedVehicles->setChecked(s.showUnlistedVehicles);
    showText(m_ui.transparency, s.transparency);
    m_ui.trayIcon->setChecked(s.trayIconWanted);
}

void SettingsWindow::showConnection(const ConnectionReport& report)
{
    m_connectionDisplay = followReport(m_connectionDisplay, report);
    const ConnectionDisplay& display = m_connectionDisplay;
    m_ui.status->setText(display.status);
    if (display.statusColour)
        setTextColour(*m_ui.status, *display.statusColour);
    else
        m_ui.status->setPalette(QPalette());
    m_ui.connectButton->setText(display.buttonCaption);
}

void SettingsWindow::chooseDatabaseFile()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Datenbank Auswählen");
    request.filters = {QStringLiteral("Alle Dateien (*.*)"),
                       QStringLiteral("Access-Dateien (*.mdb)")};
    request.selectedFilter = request.filters[1];
    request.proposedName = QStringLiteral("FMS.mdb");
    if (const auto chosen = m_dialogs.chooseExistingFile(request))
        m_settings.setDatabaseFile(*chosen);
}

void SettingsWindow::chooseBarFont()
{
    if (const auto chosen = m_dialogs.chooseFont(QStringLiteral("Schriftart Auswählen"),
                                                 m_settings.settings().barFont))
        m_settings.setBarFont(*chosen);
}

void SettingsWindow::bringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void SettingsWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        followWindowState();
}

void SettingsWindow::followWindowState()
{
    const WindowState state = windowStateOf(*this);
    if (state == WindowState::Minimized && m_settings.settings().trayIconWanted) {
        // Hidden once the minimising is done; it leaves the task bar, and the
        // tray menu brings it back.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide();
        });
    } else if (state == WindowState::Normal) {
        show();
    }
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    emit closed();
    event->accept();
}
