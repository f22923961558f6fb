// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_folder.h"

#include <QStandardPaths>

QString userDataFolder()
{
    // AppDataLocation would add the application's name a second time.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Ostrevo");
}
