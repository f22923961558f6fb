// SPDX-License-Identifier: GPL-3.0-or-later
#include "sql_connection.h"

#include <QAtomicInteger>
#include <QSqlError>

namespace {

QString uniqueConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("ostrevo-journal-") + QString::number(++counter);
}

} // namespace

SqlConnection::SqlConnection(const QString& path, Access access) : m_name(uniqueConnectionName())
{
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_database.setDatabaseName(path);
    // A reader of other programs or a checkpoint may hold the file briefly.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000");
    if (access == Access::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_database.setConnectOptions(options);
    m_database.open();
}

SqlConnection::~SqlConnection()
{
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QString SqlConnection::error() const
{
    return m_database.lastError().text();
}

int sqliteResultCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    // Extended result codes carry the primary code in the low byte.
    return ok ? code & 0xff : 0;
}
