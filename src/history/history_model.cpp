// SPDX-License-Identifier: GPL-3.0-or-later
#include "history_model.h"

#include "common/clock.h"
#include "journal/journal_cells.h"
#include "journal/journal_columns.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTimer>
#include <algorithm>
#include <limits>

HistoryModel::HistoryModel(const QString& journalPath, const Clock& clock,
                           StatusColour statusColour, HistoryLimits limits, QObject* parent)
    : QAbstractTableModel(parent), m_reader(journalPath), m_clock(clock),
      m_statusColour(std::move(statusColour)), m_limits(limits)
{
    reload();
}

void HistoryModel::setFilter(const JournalFilter& filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    reload();
}

void HistoryModel::reopen()
{
    m_reader.reopen();
    reload();
}

void HistoryModel::reload()
{
    beginResetModel();
    m_newestId = m_reader.newestId();
    m_rows = m_reader.olderRows(m_filter, m_clock.now(), belowNewest(), m_limits.pageRows);
    m_atEnd = m_rows.size() < m_limits.pageRows;
    endResetModel();
    noteReadResult();
}

void HistoryModel::fetchNewRows()
{
    if (m_fetchingNewRows)
        return; // a pass is already under way
    if (m_newestId == 0) {
        reload(); // the file was empty or unreadable so far
        return;
    }
    const qint64 newest = m_reader.newestId();
    if (newest <= m_newestId) {
        noteReadResult();
        return;
    }
    const QList<JournalRow> rows =
        m_reader.newerRows(m_filter, m_clock.now(), m_newestId, newest, m_limits.rowsPerPass);
    const bool more = rows.size() == m_limits.rowsPerPass;
    m_newestId = more ? rows.last().id : newest;
    if (!rows.isEmpty()) {
        beginInsertRows(QModelIndex(), 0, int(rows.size()) - 1);
        QList<JournalRow> merged;
        merged.reserve(rows.size() + m_rows.size());
        std::copy(rows.rbegin(), rows.rend(), std::back_inserter(merged));
        merged.append(std::move(m_rows));
        m_rows = std::move(merged);
        endInsertRows();
        dropRowsBeyondLimit();
    }
    noteReadResult();
    if (more) {
        // A burst: the rest in later passes, so the bar is never held up.
        m_fetchingNewRows = true;
        QTimer::singleShot(0, this, [this] {
            m_fetchingNewRows = false;
            fetchNewRows();
        });
    }
}

std::optional<qint64> HistoryModel::belowNewest() const
{
    // Rows committed after m_newestId was read come through fetchNewRows().
    if (m_newestId == std::numeric_limits<qint64>::max())
        return std::nullopt;
    return m_newestId + 1;
}

void HistoryModel::dropRowsBeyondLimit()
{
    if (m_rows.size() <= m_limits.maxRows)
        return;
    beginRemoveRows(QModelIndex(), m_limits.maxRows, int(m_rows.size()) - 1);
    m_rows.resize(m_limits.maxRows);
    m_atEnd = false;
    endRemoveRows();
}

void HistoryModel::noteReadResult()
{
    m_readError = m_reader.error();
    emit contentsChanged();
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : JournalColumnCount;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const JournalRow& row = m_rows.at(index.row());
    const auto column = JournalColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return journalCell(row, column);
    case Qt::ForegroundRole:
        if (column == JournalColumn::Name && row.name.isEmpty())
            return QGuiApplication::palette().color(QPalette::PlaceholderText);
        break;
    case Qt::DecorationRole:
        if (column == JournalColumn::Status) {
            if (const QPixmap mark = statusMark(row); !mark.isNull())
                return mark;
        }
        break;
    default:
        break;
    }
    return {};
}

QPixmap HistoryModel::statusMark(const JournalRow& row) const
{
    if (!m_statusColour || kindFromName(row.kind) != TelegramKind::Fms || !row.status ||
        !row.direction || !isFmsStatus(*row.status))
        return {};
    return m_marks.mark(m_statusColour(*row.status, *row.direction));
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= JournalColumnCount)
        return {};
    return journalColumnTitles().at(section);
}

bool HistoryModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd && m_rows.size() < m_limits.maxRows;
}

void HistoryModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    const auto before = m_rows.isEmpty() ? belowNewest() : m_rows.last().id;
    const int wanted = std::min<int>(m_limits.pageRows, m_limits.maxRows - int(m_rows.size()));
    const QList<JournalRow> page = m_reader.olderRows(m_filter, m_clock.now(), before, wanted);
    m_atEnd = page.size() < wanted; // also after a failed read: no retry loop from the view
    if (!page.isEmpty()) {
        beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + page.size()) - 1);
        m_rows.append(page);
        endInsertRows();
    }
    noteReadResult();
}
