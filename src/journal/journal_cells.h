// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_row.h"

#include <QStringList>

// The history's columns, in order.
enum class JournalColumn
{
    Time,
    Kind,
    Address,
    Name,
    Status,
    Text,
    Alarm
};
constexpr int JournalColumnCount = 7;

// A name as the tables show it: "Unbekannt" for an identifier in no list.
QString shownName(const QString& name);

// "Zeit", "Art", "Kennung", "Name", "Status", "Text", "Alarm".
QStringList journalColumnTitles();

// A cell as the history table shows it; copies and exports use the same.
QString journalCell(const JournalRow& row, JournalColumn column);
QStringList journalCells(const JournalRow& row);
