// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray_log.h"

Q_LOGGING_CATEGORY(lcTray, "ostrevo.tray", QtInfoMsg)
