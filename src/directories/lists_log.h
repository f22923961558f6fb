// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "ostrevo.lists": which list files were read, with their counts, and why a
// file was refused.
Q_DECLARE_LOGGING_CATEGORY(lcLists)
