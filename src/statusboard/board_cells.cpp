// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_cells.h"

#include "directories/status_tables.h"
#include "journal/journal_cells.h"

#include <algorithm>
#include <climits>
#include <compare>

QStringList boardColumnTitles()
{
    return {QStringLiteral("Fahrzeug"), QStringLiteral("Kennung"), QStringLiteral("Status"),
            QStringLiteral("Seit"), QStringLiteral("Dauer")};
}

QStringList requestColumnTitles()
{
    return {QStringLiteral("Zeit"), QStringLiteral("Fahrzeug"), QStringLiteral("Kennung"),
            QStringLiteral("Wunsch")};
}

namespace {

// "14:03:07" today, "05.12. 14:03" before: wall-clock time as received.
QString sinceText(const QDateTime& time, const QDateTime& now)
{
    if (!time.isValid())
        return {};
    return time.toString(time.date() == now.date() ? QStringLiteral("HH:mm:ss")
                                                   : QStringLiteral("dd.MM. HH:mm"));
}

QString statusText(int status, const StatusTables& tables)
{
    const QString& text = tables.text(status, FmsDirection::FromVehicle);
    return text.isEmpty() ? QString::number(status) : QString::number(status) + u' ' + text;
}

// Vehicles without a status sort last.
qint64 sinceKey(const BoardVehicle& vehicle)
{
    return vehicle.statusAt.isValid() ? vehicle.statusAt.toSecsSinceEpoch() : LLONG_MAX;
}

// The shortest first: the newest status.
qint64 durationKey(const BoardVehicle& vehicle)
{
    return vehicle.statusAt.isValid() ? -vehicle.statusAt.toSecsSinceEpoch() : LLONG_MAX;
}

} // namespace

QString boardCell(const BoardVehicle& vehicle, BoardColumn column, const StatusTables& tables,
                  const QDateTime& now)
{
    switch (column) {
    case BoardColumn::Name:
        return shownName(vehicle.name);
    case BoardColumn::Address:
        return vehicle.address;
    case BoardColumn::Status:
        return vehicle.status ? statusText(*vehicle.status, tables) : QStringLiteral("–");
    case BoardColumn::Since:
        return sinceText(vehicle.statusAt, now);
    case BoardColumn::Duration:
        if (!vehicle.statusAt.isValid())
            return {};
        return QStringLiteral("%1 min").arg(std::max<qint64>(0, vehicle.statusAt.secsTo(now) / 60));
    }
    return {};
}

QStringList boardCells(const BoardVehicle& vehicle, const StatusTables& tables,
                       const QDateTime& now)
{
    QStringList cells;
    for (int column = 0; column < BoardColumnCount; ++column)
        cells << boardCell(vehicle, BoardColumn(column), tables, now);
    return cells;
}

QString requestCell(const BoardRequest& request, const QString& name, RequestColumn column,
                    const StatusTables& tables, const QDateTime& now)
{
    switch (column) {
    case RequestColumn::Since:
        return sinceText(request.since, now);
    case RequestColumn::Name:
        return shownName(name);
    case RequestColumn::Address:
        return request.address;
    case RequestColumn::Request:
        return statusText(request.emergency ? FmsStatus::Emergency : FmsStatus::RequestToSpeak,
                          tables);
    }
    return {};
}

QStringList requestCells(const BoardRequest& request, const QString& name,
                         const StatusTables& tables, const QDateTime& now)
{
    QStringList cells;
    for (int column = 0; column < RequestColumnCount; ++column)
        cells << requestCell(request, name, RequestColumn(column), tables, now);
    return cells;
}

bool boardLess(const BoardVehicle& a, const BoardVehicle& b, BoardColumn column)
{
    std::weak_ordering order = std::weak_ordering::equivalent;
    switch (column) {
    case BoardColumn::Name:
        order = QString::localeAwareCompare(shownName(a.name), shownName(b.name)) <=> 0;
        break;
    case BoardColumn::Address:
        break;
    case BoardColumn::Status:
        order = a.status.value_or(INT_MAX) <=> b.status.value_or(INT_MAX);
        break;
    case BoardColumn::Since:
        order = sinceKey(a) <=> sinceKey(b);
        break;
    case BoardColumn::Duration:
        order = durationKey(a) <=> durationKey(b);
        break;
    }
    return order != 0 ? order < 0 : a.address < b.address;
}

bool matchesSearch(const BoardVehicle& vehicle, const QStringList& words)
{
    const QString key = vehicle.name.toCaseFolded() + u'\n' + vehicle.address.toCaseFolded();
    return std::all_of(words.cbegin(), words.cend(),
                       [&key](const QString& word) { return key.contains(word); });
}

bool isReady(const BoardVehicle& vehicle)
{
    return vehicle.status == FmsStatus::FreeOnRadio || vehicle.status == FmsStatus::FreeAtStation;
}

QString readinessSummary(int ready, int total)
{
    return QStringLiteral("%1 von %2 %3 einsatzbereit")
        .arg(ready)
        .arg(total)
        .arg(total == 1 ? QStringLiteral("Fahrzeug") : QStringLiteral("Fahrzeugen"));
}
