// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour_mark.h"

#include <QColor>
#include <QPainter>
#include <algorithm>

const QPixmap& ColourMarks::mark(Rgb colour)
{
    const QColor fill(std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255),
                      std::clamp(colour.blue, 0, 255));
    auto found = m_marks.find(fill.rgb());
    if (found == m_marks.end()) {
        QPixmap mark(12, 12);
        mark.fill(fill);
        QPainter painter(&mark);
        painter.setPen(QColor(96, 96, 96));
        painter.drawRect(0, 0, 11, 11);
        found = m_marks.insert(fill.rgb(), mark);
    }
    return *found;
}
