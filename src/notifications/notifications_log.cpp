#include "notifications_log.h"

Q_LOGGING_CATEGORY(lcNotifications, "ostrevo.notifications", QtInfoMsg)
