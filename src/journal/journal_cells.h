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
    Text
};
constexpr int JournalColumnCount = 6;

// "Zeit", "Art", "Kennung", "Name", "Status", "Text".
QStringList journalColumnTitles();

// A cell as the history table shows it; copies and exports use the same.
QString journalCell(const JournalRow& row, JournalColumn column);
QStringList journalCells(const JournalRow& row);

// The name cell of a row whose identifier is in no list.
QString unlistedName();

// "2026-12-06T14:03:07+01:00" as "06.12.2026 14:03:07"; other text unchanged.
QString tableTime(const QString& receivedAt);
