#pragma once

#include <QLoggingCategory>

// "ostrevo.tray": the notification area, when there is none.
Q_DECLARE_LOGGING_CATEGORY(lcTray)
