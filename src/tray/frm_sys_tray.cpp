#include "frm_sys_tray.h"

#include "common/dialogs.h"
#include "common/version.h"
#include "menu_availability.h"
#include "mouse_codes.h"
#include "notify_area_service.h"
#include "window_state.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

FrmSysTray::FrmSysTray(NotifyAreaService& service, Dialogs& dialogs, const QString& executableName,
                       QObject* parent)
    : QObject(parent), Flash1(QStringLiteral(":/tray/flash1.png")),
      Flash2(QStringLiteral(":/tray/flash2.png")), m_service(service), m_dialogs(dialogs),
      m_executableName(executableName)
{
    TmrFlash.setInterval(FlashInterval);
    connect(&TmrFlash, &QTimer::timeout, this, &FrmSysTray::flashTick);
    connect(&m_service, &NotifyAreaService::mouseReported, this, &FrmSysTray::onMouse);
    buildMenu();
}

FrmSysTray::~FrmSysTray()
{
    delete m_menu;
}

void FrmSysTray::buildMenu()
{
    m_menu = new QMenu(QStringLiteral("&PopupMenu"));
    m_menu->setObjectName(QStringLiteral("mPopupMenu"));
    const auto add = [this](const char* name, const QString& caption) {
        QAction* action = m_menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    m_about = add("mAbout", QStringLiteral("&About"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("mSep1"));
    m_maximize = add("mMaximize", QStringLiteral("Ma&ximize"));
    m_restore = add("mRestore", QStringLiteral("&Einstellungen"));
    m_minimize = add("mMinimize", QStringLiteral("&Verstecken"));
    m_telegramList = add("mTelegramml", QStringLiteral("&Telegramm-Liste")); // no command yet
    m_menu->addSeparator()->setObjectName(QStringLiteral("mSep2"));
    m_exit = add("mExit", QStringLiteral("&Beenden"));
    connect(m_about, &QAction::triggered, this, &FrmSysTray::mAbout_Click);
    connect(m_maximize, &QAction::triggered, this, &FrmSysTray::mMaximize_Click);
    connect(m_restore, &QAction::triggered, this, &FrmSysTray::mRestore_Click);
    connect(m_minimize, &QAction::triggered, this, &FrmSysTray::mMinimize_Click);
    connect(m_exit, &QAction::triggered, this, &FrmSysTray::mExit_Click);
}

void FrmSysTray::Load()
{
    replaceIcon(Flash1);
    TmrFlash.stop();
    setTooltip(m_executableName);
    m_about->setText(QStringLiteral("About ") + m_executableName);
    TrayNotify(Notify::Add);
}

void FrmSysTray::setFSys(QWidget* host)
{
    if (m_host)
        m_host->removeEventFilter(this);
    m_host = host;
    if (m_host)
        m_host->installEventFilter(this);
}

bool FrmSysTray::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_host) {
        if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize) {
            const int state = WindowStateNumber(*m_host);
            if (state != 1)
                LastWindowState = std::int16_t(state);
        } else if (event->type() == QEvent::Close) {
            TrayNotify(Notify::Delete); // closing the host ends the program
        }
    }
    return QObject::eventFilter(watched, event);
}

void FrmSysTray::setInterval(std::int16_t milliseconds)
{
    TmrFlash.setInterval(std::max<int>(0, milliseconds));
    TrayNotify(Notify::Modify);
}

void FrmSysTray::setTrayIcon(const QIcon& picture)
{
    TmrFlash.stop();
    if (picture.isNull()) {
        TmrFlash.start(); // nothing to show: fall back to flashing
    } else {
        replaceIcon(picture);
    }
    TrayNotify(Notify::Modify);
}

void FrmSysTray::setTrayIconFrom(const QWidget& source)
{
    setTrayIcon(source.windowIcon());
}

void FrmSysTray::setTrayIcon(const QString& source)
{
    TmrFlash.stop();
    TmrFlash.start();
    if (source.compare(QStringLiteral("DEFAULT"), Qt::CaseInsensitive) == 0) {
        replaceIcon(Flash2);
    } else {
        const QPixmap picture(source);
        if (!picture.isNull())
            replaceIcon(QIcon(picture));
    }
    TrayNotify(Notify::Modify);
}

void FrmSysTray::MeShow()
{
    TrayNotify(Notify::Add);
}

void FrmSysTray::MeHide()
{
    TrayNotify(Notify::Delete);
}

void FrmSysTray::MeModify()
{
    TrayNotify(Notify::Modify);
}

void FrmSysTray::MeQueryUnload(QWidget& window, std::int16_t& cancel, std::int16_t unloadMode)
{
    if (unloadMode != 0)
        return;
    cancel = 1;
    SetWindowStateNumber(window, 1);
    window.hide();
}

void FrmSysTray::MeResize(QWidget& window)
{
    const int state = WindowStateNumber(window);
    if (state == 1)
        window.hide();
    else if (state == 0 || state == 2)
        LastWindowState = std::int16_t(state);
}

void FrmSysTray::TrayNotify(Notify message)
{
    switch (message) {
    case Notify::Add:
        m_service.add(m_icon, m_tooltip.shown());
        break;
    case Notify::Modify:
        m_service.modify(m_icon, m_tooltip.shown());
        break;
    case Notify::Delete:
        m_service.remove();
        break;
    }
}

void FrmSysTray::replaceIcon(const QIcon& icon)
{
    m_icon = icon;
    emit TIcon(this);
}

void FrmSysTray::flashTick()
{
    FlashPhase = !FlashPhase;
    replaceIcon(FlashPhase ? Flash2 : Flash1);
    TrayNotify(Notify::Modify);
}

void FrmSysTray::onMouse(int code)
{
    if (code == 0x205)
        updateAvailability();
    QString clickWhat = ClickWhatFor(code);
    emit Click(clickWhat);
    if (code == 0x203)
        mRestore_Click();
    else if (code == 0x205)
        m_menu->popup(QCursor::pos());
}

void FrmSysTray::updateAvailability()
{
    if (!m_host)
        return;
    const MenuAvailability a = AvailabilityFor(m_host->isVisible(), WindowStateNumber(*m_host));
    m_maximize->setEnabled(a.maximize);
    m_restore->setEnabled(a.restore);
    m_minimize->setEnabled(a.minimize);
}

void FrmSysTray::mAbout_Click()
{
    m_dialogs.showMessage({QStringLiteral("Vorsand Version ") + QLatin1String(Version::Text),
                           QStringLiteral("About Vorsand"), MessageBoxRequest::Icon::Information});
}

void FrmSysTray::mMaximize_Click()
{
    if (!m_host)
        return;
    SetWindowStateNumber(*m_host, 2);
    m_host->show();
}

void FrmSysTray::mRestore_Click()
{
    if (!m_host || (m_host->isVisible() && WindowStateNumber(*m_host) != 1))
        return;
    SetWindowStateNumber(*m_host, LastWindowState);
    m_host->show();
    m_host->raise();
    m_host->activateWindow();
}

void FrmSysTray::mMinimize_Click()
{
    if (m_host)
        SetWindowStateNumber(*m_host, 1);
}

void FrmSysTray::mExit_Click()
{
    if (m_host)
        m_host->close();
}
