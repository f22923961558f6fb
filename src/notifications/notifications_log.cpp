// SPDX-License-Identifier: GPL-3.0-or-later
#include "notifications_log.h"

Q_LOGGING_CATEGORY(lcNotifications, "ostrevo.notifications", QtInfoMsg)
