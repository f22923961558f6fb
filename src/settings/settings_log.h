// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.settings": the settings file when it cannot be written.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
