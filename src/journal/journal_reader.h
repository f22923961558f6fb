// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_filter.h"
#include "journal_row.h"

#include <QDateTime>
#include <QList>
#include <memory>
#include <optional>

class SqlConnection;

// Reads the journal page by page, newest first, through its own read-only
// connection; never the whole table. The file is opened at the first query
// and again after a failed one, so it may appear later or be replaced.
class JournalReader
{
public:
    explicit JournalReader(const QString& path);
    ~JournalReader();

    // Matching rows with an id below `before` (none: from the newest), newest first.
    QList<JournalRow> olderRows(const JournalFilter& filter, const QDateTime& now,
                                std::optional<qint64> before, int limit);
    // Matching rows with an id above `after` and up to `upTo`, oldest first.
    QList<JournalRow> newerRows(const JournalFilter& filter, const QDateTime& now, qint64 after,
                                qint64 upTo, int limit);
    // The highest id in the file, whatever the filter; 0 when empty or unreadable.
    qint64 newestId();
    // Why the last query failed; empty after a good one.
    QString error() const { return m_error; }
    // Drops the connection; the next query opens the file again.
    void reopen();

private:
    enum class Direction
    {
        Older,
        Newer
    };
    QList<JournalRow> rows(const JournalFilter& filter, const QDateTime& now, Direction direction,
                           std::optional<qint64> bound, qint64 upTo, int limit);
    bool ensureOpen();
    void fail(const QString& error);

    QString m_path;
    std::unique_ptr<SqlConnection> m_connection;
    QString m_error;
    bool m_hasAlarms = false; // the file has the alarm columns (schema 2 and later)
};
