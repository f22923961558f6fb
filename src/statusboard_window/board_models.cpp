#include "board_models.h"

#include "common/clock.h"
#include "directories/status_tables.h"
#include "journal/journal_columns.h"
#include "statusboard/board_cells.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

namespace {

QVariant title(const QStringList& titles, int section, Qt::Orientation orientation, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return titles.value(section);
}

} // namespace

VehicleTableModel::VehicleTableModel(const StatusBoard& board, const StatusTables& tables,
                                     const Clock& clock, QObject* parent)
    : QAbstractTableModel(parent), m_board(board), m_tables(tables), m_clock(clock),
      m_now(clock.now()), m_rows(int(board.vehicles().size()))
{
    connect(&board, &StatusBoard::rebuilt, this, [this] {
        beginResetModel();
        m_rows = int(m_board.vehicles().size());
        m_firstChanged = m_lastChanged = -1;
        endResetModel();
    });
    connect(&board, &StatusBoard::vehicleAdded, this, [this](int index) {
        beginInsertRows({}, index, index);
        ++m_rows;
        endInsertRows();
    });
    connect(&board, &StatusBoard::vehicleReplaced, this, [this](int index) {
        emit dataChanged(this->index(index, 0), this->index(index, BoardColumnCount - 1));
    });
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
    m_now = m_clock.now();
    // Name and identifier stay: a table sorted by them need not sort again.
    if (m_firstChanged >= 0)
        emit dataChanged(index(m_firstChanged, int(BoardColumn::Status)),
                         index(m_lastChanged, BoardColumnCount - 1));
    m_firstChanged = m_lastChanged = -1;
}

void VehicleTableModel::refreshTimes()
{
    m_now = m_clock.now();
    if (m_rows > 0)
        emit dataChanged(index(0, int(BoardColumn::Since)),
                         index(m_rows - 1, int(BoardColumn::Duration)), {Qt::DisplayRole});
}

int VehicleTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int VehicleTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : BoardColumnCount;
}

QVariant VehicleTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_board.vehicles().size())
        return {};
    const BoardVehicle& shown = vehicle(index.row());
    const auto column = BoardColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return boardCell(shown, column, m_tables, m_now);
    case Qt::ForegroundRole:
        if (column == BoardColumn::Name && shown.name.isEmpty())
            return QGuiApplication::palette().color(QPalette::PlaceholderText);
        break;
    case Qt::DecorationRole:
        if (column == BoardColumn::Status && shown.status)
            return m_marks.mark(m_tables.lineColour(*shown.status, FmsDirection::FromVehicle));
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

QVariant VehicleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return title(boardColumnTitles(), section, orientation, role);
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
    : QAbstractTableModel(parent), m_board(board), m_tables(tables), m_clock(clock),
      m_now(clock.now()), m_rows(int(board.requests().size()))
{
    connect(&board, &StatusBoard::rebuilt, this, [this] {
        beginResetModel();
        m_rows = int(m_board.requests().size());
        endResetModel();
    });
    connect(&board, &StatusBoard::requestInserted, this, [this](int position) {
        m_now = m_clock.now();
        beginInsertRows({}, position, position);
        ++m_rows;
        endInsertRows();
    });
    connect(&board, &StatusBoard::requestRemoved, this, [this](int position) {
        beginRemoveRows({}, position, position);
        --m_rows;
        endRemoveRows();
    });
}

QStringList RequestTableModel::cells(int row) const
{
    const BoardRequest& open = request(row);
    const BoardVehicle* vehicle = m_board.vehicle(open.address);
    return requestCells(open, vehicle ? vehicle->name : QString(), m_tables, m_now);
}

void RequestTableModel::refreshTimes()
{
    m_now = m_clock.now();
    if (m_rows > 0)
        emit dataChanged(index(0, int(RequestColumn::Since)),
                         index(m_rows - 1, int(RequestColumn::Since)), {Qt::DisplayRole});
}

int RequestTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RequestTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RequestColumnCount;
}

QVariant RequestTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_board.requests().size())
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

QVariant RequestTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return title(requestColumnTitles(), section, orientation, role);
}
