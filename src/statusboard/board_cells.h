// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "status_board.h"

#include <QStringList>

class StatusTables;

// The columns of the board and of the requests above it, in order.
enum class BoardColumn
{
    Name,
    Address,
    Status,
    Since,
    Duration
};
constexpr int BoardColumnCount = 5;

enum class RequestColumn
{
    Since,
    Name,
    Address,
    Request
};
constexpr int RequestColumnCount = 4;

// "Fahrzeug", "Kennung", "Status", "Seit", "Dauer".
QStringList boardColumnTitles();
// "Zeit", "Fahrzeug", "Kennung", "Wunsch".
QStringList requestColumnTitles();

// A cell as the tables show it and copies take it; times as of `now`.
QString boardCell(const BoardVehicle& vehicle, BoardColumn column, const StatusTables& tables,
                  const QDateTime& now);
QStringList boardCells(const BoardVehicle& vehicle, const StatusTables& tables,
                       const QDateTime& now);
// `name`: the vehicle's, empty when not listed.
QString requestCell(const BoardRequest& request, const QString& name, RequestColumn column,
                    const StatusTables& tables, const QDateTime& now);
QStringList requestCells(const BoardRequest& request, const QString& name,
                         const StatusTables& tables, const QDateTime& now);

// The order of a column, ties by identifier; without a status comes last.
bool boardLess(const BoardVehicle& a, const BoardVehicle& b, BoardColumn column);
// Every word of the search (searchWords()) is in the name or the identifier.
bool matchesSearch(const BoardVehicle& vehicle, const QStringList& words);
// In status 1 or 2: free for a mission.
bool isReady(const BoardVehicle& vehicle);
// "12 von 2000 Fahrzeugen einsatzbereit".
QString readinessSummary(int ready, int total);
