#include "statusboard_log.h"

Q_LOGGING_CATEGORY(lcStatusBoard, "ostrevo.statusboard", QtInfoMsg)
