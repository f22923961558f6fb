// SPDX-License-Identifier: GPL-3.0-or-later
#include "statusboard_log.h"

Q_LOGGING_CATEGORY(lcStatusBoard, "ostrevo.statusboard", QtInfoMsg)
