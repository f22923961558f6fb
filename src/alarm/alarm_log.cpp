#include "alarm_log.h"

Q_LOGGING_CATEGORY(lcAlarm, "ostrevo.alarm", QtInfoMsg)
