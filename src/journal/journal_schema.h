#pragma once

#include <QSqlError>

class QSqlDatabase;

// The schema version this program writes; kept in PRAGMA user_version.
constexpr int JournalSchemaVersion = 2;

// Brings the file's schema up to JournalSchemaVersion, one step per version,
// in one transaction. A file of a newer program is left as it is: its
// columns are a superset of ours.
QSqlError upgradeJournalSchema(QSqlDatabase& database);
