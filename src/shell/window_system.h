// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// [Wayland] A Wayland client can neither place the message bar at the top
// edge nor keep it above other windows; the same program through XWayland
// can. Unless the user chose a platform (QT_QPA_PLATFORM), X11 is taken
// whenever an X display is there. Call before the application is created.
void preferX11WhereAvailable();

// Says once, on stderr, when the platform in use cannot keep the message bar
// at the top edge.
void warnIfBarCannotStayOnTop(const QString& platformName);

// Whether the platform Qt is about to choose finds a display; Qt itself
// aborts when it does not. Call after preferX11WhereAvailable().
bool graphicalSessionAvailable();
