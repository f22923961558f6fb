// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.statusboard": the board's rebuild from the journal, and vehicles
// it let go.
Q_DECLARE_LOGGING_CATEGORY(lcStatusBoard)
