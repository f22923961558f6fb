// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_log.h"

Q_LOGGING_CATEGORY(lcAlarm, "ostrevo.alarm", QtInfoMsg)
