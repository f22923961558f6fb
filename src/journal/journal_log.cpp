// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_log.h"

Q_LOGGING_CATEGORY(lcJournal, "ostrevo.journal", QtInfoMsg)
