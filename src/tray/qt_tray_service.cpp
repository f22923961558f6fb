// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_tray_service.h"

#include "tray_log.h"
#include "tray_mouse.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

QtTrayService::QtTrayService(QObject* parent) : TrayService(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this, &QtTrayService::onActivated);
}

void QtTrayService::show(const QIcon& image, const QString& tip)
{
    if (m_icon.isVisible())
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qCInfo(lcTray) << "Kein Infobereich (System-Tray) gefunden.";
    m_icon.setIcon(image);
    m_icon.setToolTip(plainTrayTip(tip));
    m_icon.show();
    // The embedded icon widget appears once the tray has taken the icon.
    QTimer::singleShot(0, this, &QtTrayService::watchIconWidget);
    QTimer::singleShot(500, this, &QtTrayService::watchIconWidget);
}

void QtTrayService::update(const QIcon& image, const QString& tip)
{
    if (!m_icon.isVisible())
        return;
    if (image.cacheKey() != m_icon.icon().cacheKey())
        m_icon.setIcon(image);
    m_icon.setToolTip(plainTrayTip(tip));
}

void QtTrayService::hide()
{
    if (m_icon.isVisible())
        m_icon.hide();
}

// [X11 XEmbed tray] Qt shows the icon as a top-level widget of class
// QSystemTrayIconSys, which gets every mouse event over the icon.
void QtTrayService::watchIconWidget()
{
    if (m_iconWidget)
        return;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0) {
            m_iconWidget = widget;
            widget->setMouseTracking(true);
            widget->installEventFilter(this);
            return;
        }
    }
}

bool QtTrayService::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_iconWidget) {
        if (const auto mouse = trayMouseEventOf(*event))
            emit mouseEvent(*mouse);
    }
    return TrayService::eventFilter(watched, event);
}

void QtTrayService::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (m_iconWidget)
        return; // the widget's own events already reported this
    if (const auto mouse = trayMouseEventOf(reason))
        emit mouseEvent(*mouse);
}
