// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A font as the user chose it for the message bar.
struct FontChoice
{
    QString family;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};
