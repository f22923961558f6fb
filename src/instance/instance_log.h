// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.instance": the one instance per session and what later starts hand over.
Q_DECLARE_LOGGING_CATEGORY(lcInstance)
