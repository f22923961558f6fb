// SPDX-License-Identifier: GPL-3.0-or-later
#include "vehicle_states.h"

#include "journal_schema.h"
#include "sql_connection.h"
#include "sql_value.h"
#include "telegram/fms.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// A row of vehicle_status joined to the telegrams it names. A named row must
// still be the vehicle's: ids of purged rows may be given out again.
QString statesQuery(const QString& source)
{
    const auto join = [](const char* alias, const char* column) {
        const QString a = QString::fromLatin1(alias);
        return QStringLiteral(" LEFT JOIN telegram %1 ON %1.id = v.%2 AND %1.address = v.address")
            .arg(a, QString::fromLatin1(column));
    };
    return QStringLiteral("SELECT v.address, l.received_at, s.status, s.received_at, r.id,"
                          " r.received_at, e.id, e.received_at, q.id, q.received_at, q.status"
                          " FROM ") +
           source +
           QStringLiteral(" v JOIN telegram l ON l.id = v.last_id AND l.address = v.address") +
           join("s", "status_id") + join("r", "request_id") + join("e", "emergency_id") +
           join("q", "request_last_id") + QStringLiteral(" ORDER BY v.last_id DESC");
}

bool hasStatusTable(QSqlDatabase& database, QString& error)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                   "name = 'vehicle_status'")) ||
        !query.next()) {
        error = query.lastError().text();
        return false;
    }
    return query.value(0).toInt() > 0;
}

QString text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

std::optional<int> status(const QVariant& value)
{
    const auto number = integerValue(value);
    return number && isFmsStatus(*number) ? std::optional(int(*number)) : std::nullopt;
}

} // namespace

QString readVehicleStates(const QString& journalPath,
                          const std::function<bool(const VehicleJournalState&)>& take)
{
    if (!QFileInfo::exists(journalPath))
        return {};
    SqlConnection connection(journalPath, SqlConnection::Access::ReadOnly);
    if (!connection.isOpen())
        return connection.error();
    QString error;
    const bool upgraded = hasStatusTable(connection.database(), error);
    if (!error.isEmpty())
        return error;
    QSqlQuery query(connection.database());
    // Each page is read once: a small cache keeps the read from leaving
    // megabytes behind in the program's heap.
    query.exec(QStringLiteral("PRAGMA cache_size = -256"));
    query.setForwardOnly(true);
    if (!query.exec(statesQuery(upgraded ? QStringLiteral("vehicle_status")
                                         : u'(' + vehicleStatusFromTelegrams() + u')')))
        return query.lastError().text();
    while (query.next()) {
        const auto mark = [&query](int column) {
            return JournalMark{integerValue(query.value(column)).value_or(0),
                               text(query.value(column + 1))};
        };
        const VehicleJournalState state{text(query.value(0)),
                                        text(query.value(1)),
                                        status(query.value(2)),
                                        text(query.value(3)),
                                        mark(4),
                                        mark(6),
                                        mark(8),
                                        status(query.value(10))};
        if (!take(state))
            return {};
    }
    return query.lastError().isValid() ? query.lastError().text() : QString();
}
