// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.alarm": the rules read, the alarms raised and acknowledged.
Q_DECLARE_LOGGING_CATEGORY(lcAlarm)
