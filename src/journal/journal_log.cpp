#include "journal_log.h"

Q_LOGGING_CATEGORY(lcJournal, "ostrevo.journal", QtInfoMsg)
