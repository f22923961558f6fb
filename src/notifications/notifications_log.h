// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.notifications": the desktop's notification service, when there is none.
Q_DECLARE_LOGGING_CATEGORY(lcNotifications)
