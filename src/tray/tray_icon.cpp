// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray_icon.h"

#include "common/dialogs.h"
#include "common/version.h"
#include "gui_common/program_icon.h"
#include "menu_availability.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QWidget>

TrayIcon::TrayIcon(TrayService& service, Dialogs& dialogs, const QIcon& image,
                   const QString& executableName, QWidget& host, QObject* parent)
    : QObject(parent), m_service(service), m_dialogs(dialogs), m_host(&host), m_normalImage(image),
      m_flashImage(highlightedProgramIcon()), m_warningImage(warningProgramIcon()),
      m_image(m_normalImage), m_toolTip(executableName)
{
    m_flashTimer.setInterval(FlashInterval);
    connect(&m_flashTimer, &QTimer::timeout, this, &TrayIcon::flash);
    connect(&m_service, &TrayService::mouseEvent, this, &TrayIcon::onMouse);
    host.installEventFilter(this);

    m_menu = new QMenu(QStringLiteral("&PopupMenu"));
    m_menu->setObjectName(QStringLiteral("mPopupMenu"));
    const auto add = [this](const char* name, const QString& caption, auto command) {
        QAction* action = m_menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    add("mAbout", QStringLiteral("About ") + executableName, &TrayIcon::showAbout);
    m_menu->addSeparator();
    m_maximize = add("mMaximize", QStringLiteral("Ma&ximize"), &TrayIcon::maximizeHost);
    m_restore = add("mRestore", QStringLiteral("&Einstellungen"), &TrayIcon::restoreHost);
    m_minimize = add("mMinimize", QStringLiteral("&Verstecken"), &TrayIcon::minimizeHost);
    add("mTelegramml", QStringLiteral("&Telegramm-Liste"), &TrayIcon::historyRequested);
    add("mStatusboard", QStringLiteral("&Statusübersicht"), &TrayIcon::statusBoardRequested);
    m_acknowledge = add("mAcknowledge", QStringLiteral("Alarm &quittieren"),
                        &TrayIcon::alarmAcknowledgeRequested);
    m_acknowledge->setEnabled(false);
    add("mAlarmRules", QStringLiteral("Alarm&regeln …"), &TrayIcon::alarmRulesRequested);
    add("mMoreSettings", QStringLiteral("&Weitere Einstellungen …"),
        &TrayIcon::moreSettingsRequested);
    m_menu->addSeparator();
    add("mExit", QStringLiteral("&Beenden"), [this] {
        if (m_host)
            m_host->close(); // the orderly shut-down
    });
}

TrayIcon::~TrayIcon()
{
    delete m_menu;
}

void TrayIcon::setVisible(bool visible)
{
    if (visible)
        m_service.show(m_image, m_toolTip);
    else
        m_service.hide();
}

void TrayIcon::setToolTip(const QString& text)
{
    const QString cut = text.left(MaxToolTipLength);
    if (cut == m_toolTip)
        return; // the mouse resting on the icon asks for the same tip again and again
    m_toolTip = cut;
    m_service.update(m_image, m_toolTip);
}

void TrayIcon::startFlashing()
{
    if (!m_flashTimer.isActive())
        m_flashTimer.start();
}

void TrayIcon::setAlarmOpen(bool open)
{
    m_alarmOpen = open;
    m_acknowledge->setEnabled(open);
    if (open)
        startFlashing();
    else
        stopFlashing();
}

void TrayIcon::setWarning(bool warning)
{
    m_warning = warning;
    if (!m_flashTimer.isActive())
        showImage(restingImage());
}

void TrayIcon::stopFlashing()
{
    if (m_alarmOpen)
        return;
    m_flashTimer.stop();
    m_flashPhase = false;
    showImage(restingImage());
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_host) {
        if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize) {
            const WindowState state = windowStateOf(*m_host);
            if (state != WindowState::Minimized)
                m_lastHostState = state;
        } else if (event->type() == QEvent::Close) {
            m_service.hide(); // closing the host ends the program
        }
    }
    return QObject::eventFilter(watched, event);
}

void TrayIcon::onMouse(TrayMouseEvent event)
{
    if (event == TrayMouseEvent::RightUp)
        updateAvailability();
    emit mouseEvent(event);
    if (event == TrayMouseEvent::LeftDoubleClick)
        restoreHost();
    else if (event == TrayMouseEvent::RightUp)
        m_menu->popup(QCursor::pos());
}

void TrayIcon::updateAvailability()
{
    if (!m_host)
        return;
    const MenuAvailability available =
        menuAvailability(m_host->isVisible(), windowStateOf(*m_host));
    m_maximize->setEnabled(available.maximize);
    m_restore->setEnabled(available.restore);
    m_minimize->setEnabled(available.minimize);
}

void TrayIcon::showAbout()
{
    m_dialogs.showMessage({QLatin1String(Version::Banner), QStringLiteral("About Vorsand"),
                           MessageBoxRequest::Icon::Information});
}

void TrayIcon::maximizeHost()
{
    if (!m_host)
        return;
    setWindowStateOf(*m_host, WindowState::Maximized);
    m_host->show();
}

void TrayIcon::restoreHost()
{
    // A window that is on screen already stays as it is.
    if (!m_host || (m_host->isVisible() && windowStateOf(*m_host) != WindowState::Minimized))
        return;
    setWindowStateOf(*m_host, m_lastHostState);
    m_host->show();
    m_host->raise();
    m_host->activateWindow();
}

void TrayIcon::minimizeHost()
{
    if (m_host)
        setWindowStateOf(*m_host, WindowState::Minimized);
}

void TrayIcon::flash()
{
    m_flashPhase = !m_flashPhase;
    showImage(m_flashPhase ? m_flashImage : restingImage());
}

void TrayIcon::showImage(const QIcon& image)
{
    m_image = image;
    m_service.update(m_image, m_toolTip);
}
