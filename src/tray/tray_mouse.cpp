// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray_mouse.h"

#include <QMouseEvent>
#include <QTextDocument>

namespace {

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

std::optional<TrayMouseEvent> trayMouseEventOf(const QEvent& event)
{
    const auto button = [&event] {
        return eventsOf(static_cast<const QMouseEvent&>(event).button());
    };
    switch (event.type()) {
    case QEvent::MouseMove:
        return TrayMouseEvent::Move;
    case QEvent::MouseButtonPress:
        return button().down;
    case QEvent::MouseButtonRelease:
        return button().up;
    case QEvent::MouseButtonDblClick:
        return button().doubleClick;
    default:
        return std::nullopt;
    }
}

std::optional<TrayMouseEvent> trayMouseEventOf(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return TrayMouseEvent::LeftDown;
    case QSystemTrayIcon::DoubleClick:
        return TrayMouseEvent::LeftDoubleClick;
    case QSystemTrayIcon::Context:
        return TrayMouseEvent::RightUp;
    case QSystemTrayIcon::MiddleClick:
        return TrayMouseEvent::MiddleDown;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return std::nullopt;
}

QString plainTrayTip(const QString& tip)
{
    return Qt::mightBeRichText(tip) ? QStringLiteral("<p style='white-space:pre'>") +
                                          tip.toHtmlEscaped() + QStringLiteral("</p>")
                                    : tip;
}
