// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlError>

class QSqlDatabase;

// The schema version this program writes; kept in PRAGMA user_version.
constexpr int JournalSchemaVersion = 2;

// Brings the file's schema up to JournalSchemaVersion, one step per version,
// in one transaction. A file of a newer program is left as it is: its
// columns are a superset of ours.
QSqlError upgradeJournalSchema(QSqlDatabase& database);

// The rows of the table vehicle_status as the telegrams of the file give
// them: what the upgrade to version 2 fills it with, and what a reader
// takes instead in a file not upgraded yet.
const QString& vehicleStatusFromTelegrams();
