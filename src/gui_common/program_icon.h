// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon, for its windows and the tray.
QIcon programIcon();
// The icon lit up, which the tray icon alternates with to draw attention.
QIcon highlightedProgramIcon();
// The icon with a warning mark: reception has failed.
QIcon warningProgramIcon();
