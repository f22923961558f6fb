// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Window geometry is designed in twips (1/1440 inch); at 96 dpi 15 twips
// make one pixel. Conversions round to the nearest pixel, halves away from
// zero.
constexpr int TwipsPerPixel = 15;

constexpr int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

constexpr int twipsToPixels(int twips)
{
    constexpr int half = TwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / TwipsPerPixel : -((-twips + half) / TwipsPerPixel);
}
