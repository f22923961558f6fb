// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"

// Whether the message bar is in use ("Aktiv"): the telegram handlers, the
// list messages and the bar itself all ask here.
inline bool barInUse(const Settings& settings)
{
    return settings.barActive;
}
