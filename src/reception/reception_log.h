// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.reception": reception failed and came back.
Q_DECLARE_LOGGING_CATEGORY(lcReception)
