#pragma once

#include <QLoggingCategory>

// "ostrevo.journal": the journal file, its faults and its recoveries.
Q_DECLARE_LOGGING_CATEGORY(lcJournal)
