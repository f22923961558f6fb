// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_filter.h"

#include <QDateTime>
#include <QString>

struct JournalExportResult
{
    qint64 rows = 0;
    QString error; // empty on success
};

// Writes the rows the filter lets through, newest first, to a CSV file:
// BOM, header line, one line per row with the cells of the history table.
// Reads page by page through its own connection, so it may run on any thread.
JournalExportResult exportJournal(const QString& journalPath, const JournalFilter& filter,
                                  const QDateTime& now, const QString& target);
