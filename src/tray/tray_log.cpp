#include "tray_log.h"

Q_LOGGING_CATEGORY(lcTray, "ostrevo.tray", QtInfoMsg)
