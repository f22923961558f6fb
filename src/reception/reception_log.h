#pragma once

#include <QLoggingCategory>

// "ostrevo.reception": reception failed and came back.
Q_DECLARE_LOGGING_CATEGORY(lcReception)
