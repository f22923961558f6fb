#pragma once

#include <QLoggingCategory>

// "ostrevo.notifications": the desktop's notification service, when there is none.
Q_DECLARE_LOGGING_CATEGORY(lcNotifications)
