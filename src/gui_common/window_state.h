// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

enum class WindowState
{
    Normal,
    Minimized,
    Maximized,
    Other, // full screen
};

inline WindowState windowStateOf(const QWidget& window)
{
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized)
        return WindowState::Minimized;
    if (state & Qt::WindowMaximized)
        return WindowState::Maximized;
    if (state & Qt::WindowFullScreen)
        return WindowState::Other;
    return WindowState::Normal;
}

inline void setWindowStateOf(QWidget& window, WindowState state)
{
    switch (state) {
    case WindowState::Minimized:
        window.setWindowState((window.windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
        break;
    case WindowState::Maximized:
        window.setWindowState(Qt::WindowMaximized);
        break;
    case WindowState::Normal:
    case WindowState::Other:
        window.setWindowState(Qt::WindowNoState);
        break;
    }
}
