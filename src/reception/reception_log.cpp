#include "reception_log.h"

Q_LOGGING_CATEGORY(lcReception, "ostrevo.reception", QtInfoMsg)
