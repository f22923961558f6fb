// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

// The colour a label's text is drawn in.
inline void setTextColour(QWidget& widget, Rgb colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
    widget.setPalette(palette);
}
