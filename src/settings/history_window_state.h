#pragma once

#include <QList>
#include <QRect>

// What the history window keeps across runs: where it was and how wide its
// columns were. Values read from the settings are checked when applied.
struct HistoryWindowState
{
    QRect geometry; // invalid: the window's own default
    QList<int> columnWidths;
    bool operator==(const HistoryWindowState&) const = default;
};
