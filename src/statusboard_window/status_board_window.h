// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board_models.h"
#include "settings/window_placement.h"

#include <QTimer>
#include <QWidget>
#include <chrono>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// "Statusübersicht": the open requests above, every vehicle and where it
// stands below, searchable and sortable by each column.
class StatusBoardWindow final : public QWidget
{
    Q_OBJECT

public:
    static constexpr std::chrono::seconds RefreshInterval{10};

    // `refresh`: how often "Dauer" is counted again.
    StatusBoardWindow(StatusBoard& board, const StatusTables& tables, const Clock& clock,
                      std::chrono::milliseconds refresh = RefreshInterval,
                      QWidget* parent = nullptr);

    // Shows the window, or brings it to the front when it is open already.
    void showAndRaise();

    WindowPlacement state() const;
    void setState(const WindowPlacement& state);

private:
    void buildControls();
    void copyVehicles();
    void copyRequests();
    void dismissSelected();
    void updateSummary();
    void updateDoneButton();

    StatusBoard& m_board;
    const StatusTables& m_tables;
    const Clock& m_clock;
    VehicleTableModel m_vehicles;
    VehicleSortFilter m_sorted;
    RequestTableModel m_requests;
    QTableView* m_requestTable = nullptr;
    QPushButton* m_done = nullptr;
    QLineEdit* m_search = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QTimer m_refresh;
    QTimer m_summaryDelay;
};
