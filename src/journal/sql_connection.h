// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QString>

// One named connection to an SQLite file, removed again with the object.
// A connection is used only on the thread that made it.
class SqlConnection
{
public:
    enum class Access
    {
        ReadWrite,
        ReadOnly
    };

    SqlConnection(const QString& path, Access access);
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    // False with the driver's message in error() when the file cannot be opened.
    bool isOpen() const { return m_database.isOpen(); }
    QSqlDatabase& database() { return m_database; }
    QString error() const;

private:
    QString m_name;
    QSqlDatabase m_database;
};

// The primary SQLite result code of a failed call (SQLITE_CORRUPT, ...), 0 if unknown.
int sqliteResultCode(const QSqlError& error);

constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;
