// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>

namespace {

// Version 1: the telegrams and their search.
QStringList telegramStep()
{
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS telegram ("
                       "id INTEGER PRIMARY KEY,"
                       " received_at TEXT NOT NULL,"
                       " kind TEXT NOT NULL,"
                       " address TEXT NOT NULL DEFAULT '',"
                       " name TEXT NOT NULL DEFAULT '',"
                       " status INTEGER,"
                       " direction TEXT,"
                       " text TEXT NOT NULL DEFAULT '',"
                       " shown INTEGER NOT NULL DEFAULT 0,"
                       " record TEXT NOT NULL DEFAULT '',"
                       " search_key TEXT NOT NULL DEFAULT '')"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS telegram_received_at ON telegram(received_at)"),
        // Substring search through a trigram index of the folded search key.
        QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS telegram_search USING fts5("
                       "search_key, content='telegram', content_rowid='id',"
                       " tokenize='trigram case_sensitive 1', detail='none')"),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS telegram_search_insert AFTER INSERT ON "
                       "telegram BEGIN INSERT INTO telegram_search(rowid, search_key) "
                       "VALUES (new.id, new.search_key); END"),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS telegram_search_delete AFTER DELETE ON "
                       "telegram BEGIN INSERT INTO telegram_search(telegram_search, rowid, "
                       "search_key) VALUES ('delete', old.id, old.search_key); END"),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS telegram_search_update AFTER UPDATE OF "
                       "search_key ON telegram BEGIN INSERT INTO telegram_search("
                       "telegram_search, rowid, search_key) VALUES ('delete', old.id, "
                       "old.search_key); INSERT INTO telegram_search(rowid, search_key) "
                       "VALUES (new.id, new.search_key); END"),
    };
}

// Version 2: each telegram's alarm and its acknowledgement, and the status
// board's state of each vehicle, kept by triggers as
// telegrams come, so that the board need not read the whole journal. Each id
// names a row of telegram: the vehicle's newest, its last operational status,
// the first request (0 or 5) and the first NOTRUF since it was last answered,
// and its newest request. A vehicle leaves with its newest row.
QStringList alarmAndVehicleStatusStep()
{
    return {
        QStringLiteral("ALTER TABLE telegram ADD COLUMN alarm TEXT"),
        QStringLiteral("ALTER TABLE telegram ADD COLUMN acknowledged_at TEXT"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS vehicle_status ("
                       "address TEXT PRIMARY KEY,"
                       " last_id INTEGER NOT NULL,"
                       " status_id INTEGER,"
                       " request_id INTEGER,"
                       " emergency_id INTEGER,"
                       " request_last_id INTEGER) WITHOUT ROWID"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS vehicle_status_last ON vehicle_status(last_id)"),
        QStringLiteral("INSERT OR REPLACE INTO vehicle_status SELECT * FROM (") +
            vehicleStatusFromTelegrams() + u')',
        // Any status from the vehicle but a request answers its request.
        QStringLiteral(
            "CREATE TRIGGER IF NOT EXISTS vehicle_status_from_vehicle AFTER INSERT ON telegram "
            "WHEN new.kind = 'FMS' AND new.direction = 'from_vehicle' BEGIN "
            "INSERT INTO vehicle_status (address, last_id, status_id, request_id, emergency_id,"
            " request_last_id) VALUES (new.address, new.id,"
            " CASE WHEN new.status IN (1, 2, 3, 4, 6, 7, 8) THEN new.id END,"
            " CASE WHEN new.status IN (0, 5) THEN new.id END,"
            " CASE WHEN new.status = 0 THEN new.id END,"
            " CASE WHEN new.status IN (0, 5) THEN new.id END) "
            "ON CONFLICT (address) DO UPDATE SET last_id = excluded.last_id,"
            " status_id = coalesce(excluded.status_id, status_id),"
            " request_id = CASE WHEN excluded.request_id IS NOT NULL"
            " THEN coalesce(request_id, excluded.request_id) END,"
            " emergency_id = CASE WHEN excluded.request_id IS NOT NULL"
            " THEN coalesce(emergency_id, excluded.emergency_id) END,"
            " request_last_id = excluded.request_last_id; END"),
        // "J - Sprechaufforderung" answers it too.
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS vehicle_status_prompt AFTER INSERT ON "
                       "telegram WHEN new.kind = 'FMS' AND new.direction = 'to_vehicle' AND "
                       "new.status = 6 BEGIN UPDATE vehicle_status SET request_id = NULL,"
                       " emergency_id = NULL, request_last_id = NULL"
                       " WHERE address = new.address; END"),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS vehicle_status_delete AFTER DELETE ON "
                       "telegram WHEN old.kind = 'FMS' AND old.direction = 'from_vehicle' BEGIN "
                       "DELETE FROM vehicle_status WHERE last_id = old.id; END"),
    };
}

// Step n takes a file from version n - 1 to n. Users' queries rely on the
// column names of the telegram table: new steps only add.
const QList<QStringList>& upgradeSteps()
{
    static const QList<QStringList> steps{telegramStep(), alarmAndVehicleStatusStep()};
    return steps;
}

} // namespace

const QString& vehicleStatusFromTelegrams()
{
    // The same rules as the triggers: a request is open when neither another
    // status from the vehicle nor "J - Sprechaufforderung" came after it.
    // One pass groups the million rows; only the few open requests look
    // for their first telegram, from their last answer on (a range of ids).
    static const QString select = []() -> QString {
        const QString firstSince = QStringLiteral(
            "CASE WHEN latest > coalesce(answered, latest - 1) THEN (SELECT min(t.id) FROM "
            "telegram t WHERE t.id > coalesce(g.answered, -9223372036854775807) AND "
            "t.address = g.address AND "
            "t.kind = 'FMS' AND t.direction = 'from_vehicle' AND t.status IN (%1)) END AS %2");
        return QStringLiteral("SELECT address, last_id, status_id, ") +
               firstSince.arg(QStringLiteral("0, 5"), QStringLiteral("request_id, ")) +
               firstSince.arg(QStringLiteral("0"), QStringLiteral("emergency_id, ")) +
               QStringLiteral(
                   "CASE WHEN latest > coalesce(answered, latest - 1) THEN latest END AS "
                   "request_last_id FROM (SELECT address,"
                   " max(CASE WHEN direction = 'from_vehicle' THEN id END) AS last_id,"
                   " max(CASE WHEN direction = 'from_vehicle' AND status IN (1, 2, 3, 4, 6, 7, 8)"
                   " THEN id END) AS status_id,"
                   " max(CASE WHEN (direction = 'from_vehicle' AND (status IS NULL OR status NOT"
                   " IN (0, 5))) OR (direction = 'to_vehicle' AND status = 6) THEN id END)"
                   " AS answered,"
                   " max(CASE WHEN direction = 'from_vehicle' AND status IN (0, 5) THEN id END)"
                   " AS latest "
                   "FROM telegram WHERE kind = 'FMS' GROUP BY address) g WHERE last_id IS NOT "
                   "NULL");
    }();
    return select;
}

QSqlError upgradeJournalSchema(QSqlDatabase& database)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return query.lastError();
    const qlonglong version = query.value(0).toLongLong();
    query.finish();
    if (version >= JournalSchemaVersion)
        return {};
    if (!database.transaction())
        return database.lastError();
    const auto& steps = upgradeSteps();
    for (qlonglong step = std::max<qlonglong>(version, 0); step < steps.size(); ++step) {
        for (const QString& statement : steps[step]) {
            if (!query.exec(statement)) {
                const QSqlError error = query.lastError();
                database.rollback();
                return error;
            }
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(JournalSchemaVersion)) ||
        !database.commit()) {
        const QSqlError error =
            query.lastError().isValid() ? query.lastError() : database.lastError();
        database.rollback();
        return error;
    }
    return {};
}
