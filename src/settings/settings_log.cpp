#include "settings_log.h"

Q_LOGGING_CATEGORY(lcSettings, "ostrevo.settings", QtInfoMsg)
