#pragma once

#include "gui_common/colour_mark.h"
#include "statusboard/status_board.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <chrono>

class Clock;
class StatusTables;

// The board's vehicles as a table, in the board's order. Cells read the
// board as it is; the views learn of changed rows once a frame, so that a
// flood of telegrams sorts and paints the table once a frame, not once a
// telegram.
class VehicleTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds FrameInterval{16};

    VehicleTableModel(const StatusBoard& board, const StatusTables& tables, const Clock& clock,
                      QObject* parent = nullptr);

    const BoardVehicle& vehicle(int row) const { return m_board.vehicles().at(row); }
    // "Seit" and "Dauer" as of now; until then, as of the last change.
    void refreshTimes();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void noteChanged(int row);
    void reportChanges();

    const StatusBoard& m_board;
    const StatusTables& m_tables;
    const Clock& m_clock;
    QDateTime m_now; // read once, not for every cell: the C library looks up the zone each time
    int m_rows = 0;  // changes only inside the model's begin/end calls
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
class RequestTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    RequestTableModel(const StatusBoard& board, const StatusTables& tables, const Clock& clock,
                      QObject* parent = nullptr);

    const BoardRequest& request(int row) const { return m_board.requests().at(row); }
    QStringList cells(int row) const;
    void refreshTimes();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const StatusBoard& m_board;
    const StatusTables& m_tables;
    const Clock& m_clock;
    QDateTime m_now;
    int m_rows = 0;
};
