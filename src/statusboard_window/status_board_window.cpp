// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_board_window.h"

#include "common/clock.h"
#include "gui_common/table_window.h"
#include "journal/delimited_text.h"
#include "statusboard/board_cells.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int RequestRowsShown = 5;

} // namespace

StatusBoardWindow::StatusBoardWindow(StatusBoard& board, const StatusTables& tables,
                                     const Clock& clock, std::chrono::milliseconds refresh,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_board(board), m_tables(tables), m_clock(clock),
      m_vehicles(board, tables, clock), m_sorted(m_vehicles), m_requests(board, tables, clock)
{
    setWindowTitle(QStringLiteral("Statusübersicht"));
    setObjectName(QStringLiteral("StatusBoardWindow"));
    buildControls();
    resize(760, 600);

    m_refresh.setInterval(refresh);
    connect(&m_refresh, &QTimer::timeout, this, [this] {
        m_vehicles.refreshTimes();
        m_requests.refreshTimes();
    });
    m_refresh.start();
    // A burst of telegrams counts once, before the next frame.
    m_summaryDelay.setSingleShot(true);
    m_summaryDelay.setInterval(0);
    connect(&m_summaryDelay, &QTimer::timeout, this, &StatusBoardWindow::updateSummary);
    const auto countAgain = [this] { m_summaryDelay.start(); };
    connect(&m_sorted, &QAbstractItemModel::rowsInserted, this, countAgain);
    connect(&m_sorted, &QAbstractItemModel::rowsRemoved, this, countAgain);
    connect(&m_sorted, &QAbstractItemModel::modelReset, this, countAgain);
    connect(&m_sorted, &QAbstractItemModel::dataChanged, this, countAgain);
    connect(&m_sorted, &QAbstractItemModel::layoutChanged, this, countAgain);
    connect(&m_requests, &QAbstractItemModel::rowsRemoved, this,
            &StatusBoardWindow::updateDoneButton);
    connect(&m_requests, &QAbstractItemModel::modelReset, this,
            &StatusBoardWindow::updateDoneButton);
    updateSummary();
    updateDoneButton();
}

void StatusBoardWindow::buildControls()
{
    m_requestTable = new QTableView(this);
    m_requestTable->setObjectName(QStringLiteral("requests"));
    m_requestTable->setAccessibleName(QStringLiteral("Sprechwünsche"));
    m_requestTable->setAccessibleDescription(
        QStringLiteral("Offene Notrufe und Sprechwünsche, Notrufe zuerst, sonst nach Eingang"));
    m_requestTable->setModel(&m_requests);
    setUpRowTable(*m_requestTable);
    m_requestTable->setColumnWidth(int(RequestColumn::Since), 110);
    m_requestTable->setColumnWidth(int(RequestColumn::Name), 220);
    m_requestTable->setMaximumHeight(m_requestTable->horizontalHeader()->sizeHint().height() +
                                     RequestRowsShown *
                                         m_requestTable->verticalHeader()->defaultSectionSize() +
                                     2 * m_requestTable->frameWidth());
    auto* requestsLabel = new QLabel(QStringLiteral("Sprech&wünsche"), this);
    requestsLabel->setBuddy(m_requestTable);
    QFont heading = requestsLabel->font();
    heading.setBold(true);
    requestsLabel->setFont(heading);

    m_done = new QPushButton(QStringLiteral("&Erledigt"), this);
    m_done->setObjectName(QStringLiteral("done"));
    m_done->setAccessibleName(QStringLiteral("Erledigt"));
    m_done->setAccessibleDescription(
        QStringLiteral("Nimmt die gewählten Sprechwünsche als beantwortet aus der Liste"));

    auto* searchRow = new QHBoxLayout;
    m_search =
        addSearchField(*this, *searchRow,
                       QStringLiteral("Sucht in Name und Kennung, ohne Groß- und Kleinschreibung"));

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setAccessibleName(QStringLiteral("Statusübersicht"));
    m_table->setModel(&m_sorted);
    setUpRowTable(*m_table);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(int(BoardColumn::Address), Qt::AscendingOrder); // vehicles by place
    m_table->setColumnWidth(int(BoardColumn::Name), 220);
    m_table->setColumnWidth(int(BoardColumn::Status), 200);
    m_table->setColumnWidth(int(BoardColumn::Since), 110);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));

    addCopyShortcut(*m_table, [this] { copyVehicles(); });
    addCopyShortcut(*m_requestTable, [this] { copyRequests(); });
    addFindShortcut(*this, *m_search);

    auto* requestsHeader = new QHBoxLayout;
    requestsHeader->addWidget(requestsLabel);
    requestsHeader->addStretch(1);
    requestsHeader->addWidget(m_done);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(requestsHeader);
    layout->addWidget(m_requestTable);
    layout->addLayout(searchRow);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    setTabOrder(m_requestTable, m_done);
    setTabOrder(m_done, m_search);
    setTabOrder(m_search, m_table);

    connect(m_search, &QLineEdit::textChanged, &m_sorted, &VehicleSortFilter::setSearch);
    connect(m_done, &QPushButton::clicked, this, &StatusBoardWindow::dismissSelected);
    connect(m_requestTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &StatusBoardWindow::updateDoneButton);
}

void StatusBoardWindow::showAndRaise()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

WindowPlacement StatusBoardWindow::state() const
{
    return {geometry(), columnWidths(*m_table)};
}

void StatusBoardWindow::setState(const WindowPlacement& state)
{
    placeWindow(*this, state.geometry);
    setColumnWidths(*m_table, state.columnWidths);
}

void StatusBoardWindow::copyVehicles()
{
    QList<QStringList> rows;
    const QDateTime now = m_clock.now();
    for (const int row : selectedViewRows(*m_table))
        rows << boardCells(m_sorted.vehicle(row), m_tables, now);
    if (!rows.isEmpty())
        QGuiApplication::clipboard()->setText(tabSeparated(boardColumnTitles(), rows));
}

void StatusBoardWindow::copyRequests()
{
    QList<QStringList> rows;
    for (const int row : selectedViewRows(*m_requestTable))
        rows << m_requests.cells(row);
    if (!rows.isEmpty())
        QGuiApplication::clipboard()->setText(tabSeparated(requestColumnTitles(), rows));
}

void StatusBoardWindow::dismissSelected()
{
    QStringList addresses;
    for (const int row : selectedViewRows(*m_requestTable))
        addresses << m_requests.request(row).address;
    for (const QString& address : addresses)
        m_board.dismissRequest(address);
}

void StatusBoardWindow::updateSummary()
{
    int ready = 0;
    for (int row = 0; row < m_sorted.rowCount(); ++row)
        ready += isReady(m_sorted.vehicle(row)) ? 1 : 0;
    m_summary->setText(readinessSummary(ready, m_sorted.rowCount()));
}

void StatusBoardWindow::updateDoneButton()
{
    m_done->setEnabled(m_requestTable->selectionModel()->hasSelection());
}
