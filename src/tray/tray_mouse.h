// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tray_service.h"

#include <QSystemTrayIcon>
#include <optional>

class QEvent;

// What a mouse event over the embedded icon means; nothing for other events.
std::optional<TrayMouseEvent> trayMouseEventOf(const QEvent& event);

// The nearest mouse event to an activation, where the tray reports only
// those (a StatusNotifierItem over D-Bus).
std::optional<TrayMouseEvent> trayMouseEventOf(QSystemTrayIcon::ActivationReason reason);

// The tip as the tray should show it: the tray takes a tip that looks like
// markup as rich text, and identifiers received from the radio must show as
// they are.
QString plainTrayTip(const QString& tip);
