// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.tray": the notification area, when there is none.
Q_DECLARE_LOGGING_CATEGORY(lcTray)
