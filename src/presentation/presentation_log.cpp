// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation_log.h"

Q_LOGGING_CATEGORY(lcPresentation, "ostrevo.presentation", QtInfoMsg)
