// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb.h"

#include <QHash>
#include <QPixmap>

// Small squares in a status colour, for a table cell; framed so that white
// and black marks show on any background. One pixmap per colour.
class ColourMarks
{
public:
    const QPixmap& mark(Rgb colour);

private:
    QHash<QRgb, QPixmap> m_marks;
};
