// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A colour as red, green, blue, 0 to 255 each.
struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};
