#pragma once

#include <QWidget>

// Window states as numbers: 0 normal, 1 minimised, 2 maximised, 3 other.
inline int WindowStateNumber(const QWidget& window)
{
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized)
        return 1;
    if (state & Qt::WindowMaximized)
        return 2;
    if (state & Qt::WindowFullScreen)
        return 3;
    return 0;
}

inline void SetWindowStateNumber(QWidget& window, int number)
{
    switch (number) {
    case 1:
        window.setWindowState((window.windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
        break;
    case 2:
        window.setWindowState(Qt::WindowMaximized);
        break;
    default:
        window.setWindowState(Qt::WindowNoState);
        break;
    }
}
