// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb.h"
#include "gui_common/colour_mark.h"
#include "journal/journal_filter.h"
#include "journal/journal_reader.h"
#include "journal/journal_row.h"
#include "telegram/fms.h"

#include <QAbstractTableModel>
#include <QPixmap>
#include <functional>

class Clock;

// How many rows the history reads and keeps.
struct HistoryLimits
{
    int pageRows = 200;      // read as the view scrolls
    int maxRows = 50'000;    // kept at most
    int rowsPerPass = 1'000; // new rows taken in one pass of the event loop
};

// The journal as a table, newest first. Rows are read a page at a time as
// the view scrolls, at most maxRows of them; rows committed later are put
// on top by fetchNewRows(), a burst in several passes of the event loop.
class HistoryModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    using StatusColour = std::function<Rgb(int status, FmsDirection direction)>;
    HistoryModel(const QString& journalPath, const Clock& clock, StatusColour statusColour,
                 HistoryLimits limits = {}, QObject* parent = nullptr);

    const JournalFilter& filter() const { return m_filter; }
    void setFilter(const JournalFilter& filter);
    // Reads again from the newest row; after the file was replaced, it is reopened.
    void reload();
    void reopen();
    // Puts the rows committed since the last look on top.
    void fetchNewRows();

    const JournalRow& journalRow(int row) const { return m_rows.at(row); }
    // More rows match than the model keeps: narrow the filter to see them.
    bool keepsOnlyNewest() const { return !m_atEnd && m_rows.size() >= m_limits.maxRows; }
    QString readError() const { return m_readError; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The row count or the read error changed.
    void contentsChanged();

private:
    void noteReadResult();
    void dropRowsBeyondLimit();
    std::optional<qint64> belowNewest() const;
    QPixmap statusMark(const JournalRow& row) const;

    JournalReader m_reader;
    const Clock& m_clock;
    StatusColour m_statusColour;
    const HistoryLimits m_limits;
    JournalFilter m_filter;
    QList<JournalRow> m_rows;
    qint64 m_newestId = 0; // every row up to here is in m_rows or filtered out
    bool m_atEnd = true;
    bool m_fetchingNewRows = false;
    QString m_readError;
    mutable ColourMarks m_marks;
};
