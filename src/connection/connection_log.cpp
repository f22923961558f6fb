// SPDX-License-Identifier: GPL-3.0-or-later
#include "connection_log.h"

Q_LOGGING_CATEGORY(lcConnection, "ostrevo.connection", QtInfoMsg)
Q_LOGGING_CATEGORY(lcIntake, "ostrevo.intake", QtInfoMsg)
