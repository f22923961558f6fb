// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_system.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>
#include <QtGui/qtguiglobal.h>
#include <cstdio>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

void preferX11WhereAvailable()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void warnIfBarCannotStayOnTop(const QString& platformName)
{
    if (platformName == u"xcb" || platformName == u"offscreen" || platformName == u"minimal")
        return;
    std::fprintf(stderr,
                 "ostrevo: Ohne X-Display (Plattform %s) kann die Telegrammleiste nicht am "
                 "oberen Bildschirmrand über allen Fenstern bleiben.\n",
                 qPrintable(platformName));
}

bool graphicalSessionAvailable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = platform.isEmpty() || platform == "xcb";
    const bool wayland = platform.isEmpty() || platform.startsWith("wayland");
    if (!x11 && !wayland)
        return true; // offscreen, VNC …: no display of the session needed
#if QT_CONFIG(xcb)
    if (x11 && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        const bool reached = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        if (reached)
            return true;
    }
#endif
    if (wayland) {
        const QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
        if (!display.isEmpty())
            return QFileInfo::exists(QDir::isAbsolutePath(display)
                                         ? display
                                         : qEnvironmentVariable("XDG_RUNTIME_DIR") + u'/' +
                                               display);
    }
    return false;
}
