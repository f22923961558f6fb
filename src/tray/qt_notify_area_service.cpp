#include "qt_notify_area_service.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Offsets from the left-button codes: 0 left, 3 right, 6 middle.
int buttonOffset(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return 3;
    case Qt::MiddleButton:
        return 6;
    default:
        return 0;
    }
}

} // namespace

QtNotifyAreaService::QtNotifyAreaService(QObject* parent) : NotifyAreaService(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this, &QtNotifyAreaService::onActivated);
}

void QtNotifyAreaService::add(const QIcon& image, const QString& tip)
{
    if (m_icon.isVisible())
        return;
    m_icon.setIcon(image);
    m_icon.setToolTip(tip);
    m_icon.show();
    // The embedded icon widget appears once the tray has taken the icon.
    QTimer::singleShot(0, this, &QtNotifyAreaService::watchIconWidget);
    QTimer::singleShot(500, this, &QtNotifyAreaService::watchIconWidget);
}

void QtNotifyAreaService::modify(const QIcon& image, const QString& tip)
{
    if (!m_icon.isVisible())
        return;
    m_icon.setIcon(image);
    m_icon.setToolTip(tip);
}

void QtNotifyAreaService::remove()
{
    if (m_icon.isVisible())
        m_icon.hide();
}

// [X11 XEmbed tray] Qt shows the icon as a top-level widget of class
// QSystemTrayIconSys, which gets every mouse event over the icon.
void QtNotifyAreaService::watchIconWidget()
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

bool QtNotifyAreaService::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_iconWidget) {
        switch (event->type()) {
        case QEvent::MouseMove:
            emit mouseReported(0x200);
            break;
        case QEvent::MouseButtonPress:
            emit mouseReported(0x201 + buttonOffset(static_cast<QMouseEvent*>(event)->button()));
            break;
        case QEvent::MouseButtonRelease:
            emit mouseReported(0x202 + buttonOffset(static_cast<QMouseEvent*>(event)->button()));
            break;
        case QEvent::MouseButtonDblClick:
            emit mouseReported(0x203 + buttonOffset(static_cast<QMouseEvent*>(event)->button()));
            break;
        default:
            break;
        }
    }
    return NotifyAreaService::eventFilter(watched, event);
}

void QtNotifyAreaService::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (m_iconWidget)
        return; // the widget's own events already reported this
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit mouseReported(0x201);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit mouseReported(0x203);
        break;
    case QSystemTrayIcon::Context:
        emit mouseReported(0x205);
        break;
    case QSystemTrayIcon::MiddleClick:
        emit mouseReported(0x207);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}
