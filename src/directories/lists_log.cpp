// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists_log.h"

Q_LOGGING_CATEGORY(lcLists, "ostrevo.lists", QtInfoMsg)
