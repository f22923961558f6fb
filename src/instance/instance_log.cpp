// SPDX-License-Identifier: GPL-3.0-or-later
#include "instance_log.h"

Q_LOGGING_CATEGORY(lcInstance, "ostrevo.instance", QtInfoMsg)
