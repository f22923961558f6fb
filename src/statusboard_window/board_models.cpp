// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_models.h"

#include "common/clock.h"
#include "directories/status_tables.h"
#include "journal/journal_columns.h"
#include "statusboard/board_cells.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

BoardTableModel::BoardTableModel(const StatusBoard& board, const StatusTables& tables,
                                 const Clock& clock, QStringList titles,
                                 qsizetype (*rows)(const StatusBoard&), int firstTime, int lastTime,
                                 QObject* parent)
    : QAbstractTableModel(parent), m_board(board), m_tables(tables), m_clock(clock),
      m_titles(std::move(titles)), m_boardRows(rows), m_firstTime(firstTime), m_lastTime(lastTime),
      m_now(clock.now()), m_rows(int(rows(board)))
{
    connect(&board, &StatusBoard::rebuilt, this, [this] {
        beginResetModel();
        m_rows = int(m_boardRows(m_board));
        endResetModel();
    });
}

void BoardTableModel::refreshTimes()
{
    readClock();
    if (m_rows > 0)
        emit dataChanged(index(0, m_firstTime), index(m_rows - 1, m_lastTime), {Qt::DisplayRole});
}

void BoardTableModel::readClock()
{
    m_now = m_clock.now();
}

bool BoardTableModel::holds(const QModelIndex& index) const
{
    return index.isValid() && index.row() < m_boardRows(m_board);
}

void BoardTableModel::rowAdded(int row)
{
    beginInsertRows({}, row, row);
    ++m_rows;
    endInsertRows();
}

void BoardTableModel::rowRemoved(int row)
{
    beginRemoveRows({}, row, row);
    --m_rows;
    endRemoveRows();
}

int BoardTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int BoardTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant BoardTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return m_titles.value(section);
}

VehicleTableModel::VehicleTableModel(const StatusBoard& board, const StatusTables& tables,
                                     const Clock& clock, QObject* parent)
    : BoardTableModel(
          board, tables, clock, boardColumnTitles(),
          [](const StatusBoard& shown) { return shown.vehicles().size(); }, int(BoardColumn::Since),
          int(BoardColumn::Duration), parent)
{
    connect(&board, &StatusBoard::rebuilt, this, [this] { m_firstChanged = m_lastChanged = -1; });
    connect(&board, &StatusBoard::vehicleAdded, this, &VehicleTableModel::rowAdded);
    connect(&board, &StatusBoard::vehicleReplaced, this,
            [this](int row) { emit dataChanged(index(row, 0), index(row, BoardColumnCount - 1)); });
    connect(&board, &StatusBoard::vehicleChanged, this, &VehicleTableModel::noteChanged);
    m_frame.setSingleShot(true);
    m_frame.setInterval(FrameInterval);
    connect(&m_frame, &QTimer::timeout, this, &VehicleTableModel::reportChanges);
}

void VehicleTableModel::noteChanged(int row)
{
    m_firstChanged = m_firstChanged < 0 ? row : std::min(m_firstChanged, row);
    m_lastChanged = std::max(m_lastChanged, row);
    if (!m_frame.isActive())
        m_frame.start();
}

void VehicleTableModel::reportChanges()
{
    readClock();
    // Name and identifier stay: a table sorted by them need not sort again.
    if (m_firstChanged >= 0)
        emit dataChanged(index(m_firstChanged, int(BoardColumn::Status)),
                         index(m_lastChanged, BoardColumnCount - 1));
    m_firstChanged = m_lastChanged = -1;
}

QVariant VehicleTableModel::data(const QModelIndex& index, int role) const
{
    if (!holds(index))
        return {};
    const BoardVehicle& shown = vehicle(index.row());
    const auto column = BoardColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return boardCell(shown, column, tables(), now());
    case Qt::ForegroundRole:
        if (column == BoardColumn::Name && shown.name.isEmpty())
            return QGuiApplication::palette().color(QPalette::PlaceholderText);
        break;
    case Qt::DecorationRole:
        if (column == BoardColumn::Status && shown.status)
            return m_marks.mark(tables().lineColour(*shown.status, FmsDirection::FromVehicle));
        break;
    case Qt::TextAlignmentRole:
        if (column == BoardColumn::Duration)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default:
        break;
    }
    return {};
}

VehicleSortFilter::VehicleSortFilter(VehicleTableModel& source, QObject* parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(&source);
}

void VehicleSortFilter::setSearch(const QString& text)
{
    const QStringList words = searchWords(text);
    if (words == m_words)
        return;
    m_words = words;
    invalidateFilter();
}

const BoardVehicle& VehicleSortFilter::vehicle(int row) const
{
    return m_source.vehicle(mapToSource(index(row, 0)).row());
}

bool VehicleSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return matchesSearch(m_source.vehicle(sourceRow), m_words);
}

bool VehicleSortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return boardLess(m_source.vehicle(left.row()), m_source.vehicle(right.row()),
                     BoardColumn(left.column()));
}

RequestTableModel::RequestTableModel(const StatusBoard& board, const StatusTables& tables,
                                     const Clock& clock, QObject* parent)
    : BoardTableModel(
          board, tables, clock, requestColumnTitles(),
          [](const StatusBoard& shown) { return shown.requests().size(); },
          int(RequestColumn::Since), int(RequestColumn::Since), parent)
{
    connect(&board, &StatusBoard::requestInserted, this, [this](int row) {
        readClock();
        rowAdded(row);
    });
    connect(&board, &StatusBoard::requestRemoved, this, &RequestTableModel::rowRemoved);
}

QStringList RequestTableModel::cells(int row) const
{
    const BoardRequest& open = request(row);
    const BoardVehicle* vehicle = board().vehicle(open.address);
    return requestCells(open, vehicle ? vehicle->name : QString(), tables(), now());
}

QVariant RequestTableModel::data(const QModelIndex& index, int role) const
{
    if (!holds(index))
        return {};
    const bool emergency = request(index.row()).emergency;
    switch (role) {
    case Qt::DisplayRole:
        return cells(index.row()).value(index.column());
    case Qt::BackgroundRole:
        if (emergency)
            return QColor(255, 0, 0);
        break;
    case Qt::ForegroundRole:
        if (emergency)
            return QColor(255, 255, 255);
        break;
    case Qt::FontRole:
        if (emergency) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        break;
    default:
        break;
    }
    return {};
}
