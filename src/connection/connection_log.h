// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.connection": attempts, connections and failures, with the server.
Q_DECLARE_LOGGING_CATEGORY(lcConnection)
// "ostrevo.intake": records that became no telegram, and why.
Q_DECLARE_LOGGING_CATEGORY(lcIntake)
