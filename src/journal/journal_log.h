// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.journal": the journal file, its faults and its recoveries.
Q_DECLARE_LOGGING_CATEGORY(lcJournal)
