#include "journal_schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>

namespace {

// Step n takes a file from version n - 1 to n. Users' queries rely on the
// column names of the telegram table: new steps only add.
const QList<QStringList>& upgradeSteps()
{
    static const QList<QStringList> steps{
        QStringList{
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
            QStringLiteral(
                "CREATE INDEX IF NOT EXISTS telegram_received_at ON telegram(received_at)"),
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
        },
        // 2: alarms and their acknowledgement.
        QStringList{
            QStringLiteral("ALTER TABLE telegram ADD COLUMN alarm TEXT"),
            QStringLiteral("ALTER TABLE telegram ADD COLUMN acknowledged_at TEXT"),
        }};
    return steps;
}

} // namespace

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
