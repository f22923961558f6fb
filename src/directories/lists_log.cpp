#include "lists_log.h"

Q_LOGGING_CATEGORY(lcLists, "ostrevo.lists", QtInfoMsg)
