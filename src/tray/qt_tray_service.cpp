#include "qt_tray_service.h"

#include "tray_log.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

namespace {

// The tray shows a tip that looks like markup as rich text; identifiers
// received from the radio must show as they are.
QString plainTip(const QString& tip)
{
    return Qt::mightBeRichText(tip) ? QStringLiteral("<p style='white-space:pre'>") +
                                          tip.toHtmlEscaped() + QStringLiteral("</p>")
                                    : tip;
}

// The events of one button: down, up, double click.
struct ButtonEvents
{
    TrayMouseEvent down, up, doubleClick;
};

ButtonEvents eventsOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return {TrayMouseEvent::RightDown, TrayMouseEvent::RightUp,
                TrayMouseEvent::RightDoubleClick};
    case Qt::MiddleButton:
        return {TrayMouseEvent::MiddleDown, TrayMouseEvent::MiddleUp,
                TrayMouseEvent::MiddleDoubleClick};
    default:
        return {TrayMouseEvent::LeftDown, TrayMouseEvent::LeftUp, TrayMouseEvent::LeftDoubleClick};
    }
}

} // namespace

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
    m_icon.setToolTip(plainTip(tip));
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
    m_icon.setToolTip(plainTip(tip));
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
        const auto button = [event] {
            return eventsOf(static_cast<QMouseEvent*>(event)->button());
        };
        switch (event->type()) {
        case QEvent::MouseMove:
            emit mouseEvent(TrayMouseEvent::Move);
            break;
        case QEvent::MouseButtonPress:
            emit mouseEvent(button().down);
            break;
        case QEvent::MouseButtonRelease:
            emit mouseEvent(button().up);
            break;
        case QEvent::MouseButtonDblClick:
            emit mouseEvent(button().doubleClick);
            break;
        default:
            break;
        }
    }
    return TrayService::eventFilter(watched, event);
}

void QtTrayService::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (m_iconWidget)
        return; // the widget's own events already reported this
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit mouseEvent(TrayMouseEvent::LeftDown);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit mouseEvent(TrayMouseEvent::LeftDoubleClick);
        break;
    case QSystemTrayIcon::Context:
        emit mouseEvent(TrayMouseEvent::RightUp);
        break;
    case QSystemTrayIcon::MiddleClick:
        emit mouseEvent(TrayMouseEvent::MiddleDown);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}
