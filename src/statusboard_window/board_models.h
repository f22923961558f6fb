// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui_common/colour_mark.h"
#include "statusboard/status_board.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <chrono>

class Clock;
class StatusTables;

// What the window's two tables share: the board they show, its size seen
// through the model's own row count (which changes only between the
// begin and end calls), the column titles, and the clock read once per
// change, not for every cell: the C library looks up the time zone each time.
class BoardTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The times as of now; until then, as of the last change.
    void refreshTimes();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    // `rows`: how many rows the board has for this table now; the columns
    // from `firstTime` to `lastTime` show times.
    BoardTableModel(const StatusBoard& board, const StatusTables& tables, const Clock& clock,
                    QStringList titles, qsizetype (*rows)(const StatusBoard&), int firstTime,
                    int lastTime, QObject* parent);

    const StatusBoard& board() const { return m_board; }
    const StatusTables& tables() const { return m_tables; }
    const QDateTime& now() const { return m_now; }
    bool holds(const QModelIndex& index) const;
    void readClock();
    void rowAdded(int row);
    void rowRemoved(int row);

private:
    const StatusBoard& m_board;
    const StatusTables& m_tables;
    const Clock& m_clock;
    const QStringList m_titles;
    qsizetype (*const m_boardRows)(const StatusBoard&);
    const int m_firstTime;
    const int m_lastTime;
    QDateTime m_now;
    int m_rows = 0;
};

// The board's vehicles as a table, in the board's order. Cells read the
// board as it is; the views learn of changed rows once a frame, so that a
// flood of telegrams sorts and paints the table once a frame, not once a
// telegram.
class VehicleTableModel final : public BoardTableModel
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds FrameInterval{16};

    VehicleTableModel(const StatusBoard& board, const StatusTables& tables, const Clock& clock,
                      QObject* parent = nullptr);

    const BoardVehicle& vehicle(int row) const { return board().vehicles().at(row); }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void noteChanged(int row);
    void reportChanges();

    int m_firstChanged = -1;
    int m_lastChanged = -1;
    QTimer m_frame;
    mutable ColourMarks m_marks;
};

// The vehicles sorted by a column and narrowed by the search.
class VehicleSortFilter final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit VehicleSortFilter(VehicleTableModel& source, QObject* parent = nullptr);
    void setSearch(const QString& text);
    const BoardVehicle& vehicle(int row) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const VehicleTableModel& m_source;
    QStringList m_words;
};

// The open requests in the board's order, NOTRUF in red.
class RequestTableModel final : public BoardTableModel
{
    Q_OBJECT

public:
    RequestTableModel(const StatusBoard& board, const StatusTables& tables, const Clock& clock,
                      QObject* parent = nullptr);

    const BoardRequest& request(int row) const { return board().requests().at(row); }
    QStringList cells(int row) const;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
