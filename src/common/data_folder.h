// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The user's data folder of the program, $XDG_DATA_HOME/Ostrevo (normally
// ~/.local/share/Ostrevo): the journal lives here, and name lists placed here
// are found wherever the program is started.
QString userDataFolder();
