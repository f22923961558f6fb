// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.presentation": telegrams that did not reach the bar, and why.
Q_DECLARE_LOGGING_CATEGORY(lcPresentation)
