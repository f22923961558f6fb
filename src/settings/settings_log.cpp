// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_log.h"

Q_LOGGING_CATEGORY(lcSettings, "ostrevo.settings", QtInfoMsg)
