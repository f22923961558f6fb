// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/line_ends.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Cuts the decoder's output into lines at LF, CR or CR LF. Memory stays
// bounded: a line longer than MaxLine is left out whole, up to its end,
// and reported in its place as too long. Empty lines are skipped.
class LineSplitter
{
public:
    static constexpr qsizetype MaxLine = 16 * 1024;

    struct Line
    {
        QByteArray text; // empty when too long
        bool tooLong = false;
    };

    QList<Line> feed(QByteArrayView bytes);

    // The input ended (or its writer went away): forgets an unfinished
    // line and tells whether there was one.
    bool endInput();

private:
    QByteArray m_pending;
    bool m_skipping = false;
    LineEnds m_lineEnds;
};
