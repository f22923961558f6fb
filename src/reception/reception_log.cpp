// SPDX-License-Identifier: GPL-3.0-or-later
#include "reception_log.h"

Q_LOGGING_CATEGORY(lcReception, "ostrevo.reception", QtInfoMsg)
