// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>

// Where a window was and how wide its table's columns were, kept across
// runs. Values from the settings file are within the limits below.
struct WindowPlacement
{
    static constexpr QSize MinSize{320, 200};
    static constexpr QSize MaxSize{10000, 10000};
    static constexpr int MaxPosition = 100000;
    static constexpr int MinColumnWidth = 40;
    static constexpr int MaxColumnWidth = 4000;

    QRect geometry; // invalid: the window's own default
    QList<int> columnWidths;
    bool operator==(const WindowPlacement&) const = default;
};
