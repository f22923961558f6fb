#include "instance_log.h"

Q_LOGGING_CATEGORY(lcInstance, "ostrevo.instance", QtInfoMsg)
