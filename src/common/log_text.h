// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Received text made safe for one log line: a TAB shows as "<TAB>", other
// control characters as "?", and long text is shortened.
QString logText(QStringView text);
