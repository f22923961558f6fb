// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

// Pixels of exactly this colour in the top strip of the screen, where the
// message bar shows.
inline int pixelsInBar(QRgb colour)
{
    const QImage strip = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 1280, 20).toImage();
    int count = 0;
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x)
            count += (strip.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    }
    return count;
}
