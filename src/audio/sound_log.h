// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.sound": sound files that cannot be played, a lost sound server.
Q_DECLARE_LOGGING_CATEGORY(lcSound)
