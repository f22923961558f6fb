// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_reader.h"

#include "journal_columns.h"
#include "sql_connection.h"
#include "sql_value.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <limits>

namespace {

struct BoundQuery
{
    QString sql;
    QVariantList values;
};

// A word as a GLOB pattern that finds it anywhere; *, ? and [ match themselves.
QString containsPattern(const QString& word)
{
    QString pattern = QStringLiteral("*");
    for (const QChar c : word) {
        if (c == u'*' || c == u'?' || c == u'[')
            pattern += u'[' + QString(c) + u']';
        else
            pattern += c;
    }
    return pattern + u'*';
}

// The trigram index answers words of three characters or more. Shorter
// words, and words with pattern characters, are matched by scanning: SQLite
// 3.40's trigram index misses two-character words with an umlaut.
bool trigramWord(const QString& word)
{
    return word.toUcs4().size() >= 3 && !word.contains(u'*') && !word.contains(u'?') &&
           !word.contains(u'[');
}

// The columns read, in the order of SelectedColumns.
enum Column
{
    IdColumn,
    ReceivedAtColumn,
    KindColumn,
    AddressColumn,
    NameColumn,
    StatusColumn,
    DirectionColumn,
    TextColumn,
    AlarmColumn,
    AcknowledgedAtColumn,
};

QString selectedColumns(bool withAlarms)
{
    return QStringLiteral("t.id, t.received_at, t.kind, t.address, t.name, t.status, "
                          "t.direction, t.text, ") +
           (withAlarms ? QStringLiteral("t.alarm, t.acknowledged_at")
                       : QStringLiteral("NULL, NULL")); // a file of before the alarms
}

JournalRow readRow(const QSqlQuery& query, qint64 id)
{
    JournalRow row;
    row.id = id;
    row.receivedAt = query.value(ReceivedAtColumn).toString();
    row.kind = query.value(KindColumn).toString();
    row.address = query.value(AddressColumn).toString();
    row.name = query.value(NameColumn).toString();
    const auto status = integerValue(query.value(StatusColumn));
    if (status && *status >= std::numeric_limits<int>::min() &&
        *status <= std::numeric_limits<int>::max())
        row.status = int(*status);
    row.direction = directionFromName(query.value(DirectionColumn).toString());
    row.text = query.value(TextColumn).toString();
    row.alarm = query.value(AlarmColumn).toString();
    row.acknowledgedAt = query.value(AcknowledgedAtColumn).toString();
    return row;
}

} // namespace

namespace {

// The first moment of the period in wall-clock time ("" for all), as
// received_at is compared.
QString periodStart(JournalPeriod period, const QDateTime& now)
{
    switch (period) {
    case JournalPeriod::Today:
        return now.date().toString(Qt::ISODate) + QStringLiteral("T00:00:00");
    case JournalPeriod::LastSevenDays:
        return now.date().addDays(-6).toString(Qt::ISODate) + QStringLiteral("T00:00:00");
    case JournalPeriod::All:
        break;
    }
    return {};
}

} // namespace

JournalReader::JournalReader(const QString& path) : m_path(path) {}

JournalReader::~JournalReader() = default;

void JournalReader::reopen()
{
    m_connection.reset();
}

QList<JournalRow> JournalReader::olderRows(const JournalFilter& filter, const QDateTime& now,
                                           std::optional<qint64> before, int limit)
{
    return rows(filter, now, Direction::Older, before, 0, limit);
}

QList<JournalRow> JournalReader::newerRows(const JournalFilter& filter, const QDateTime& now,
                                           qint64 after, qint64 upTo, int limit)
{
    return rows(filter, now, Direction::Newer, after, upTo, limit);
}

qint64 JournalReader::newestId()
{
    m_error.clear();
    if (!ensureOpen())
        return 0;
    QSqlQuery query(m_connection->database());
    if (!query.exec(QStringLiteral("SELECT max(id) FROM telegram")) || !query.next()) {
        const QString error = query.lastError().text();
        query = QSqlQuery();
        fail(error);
        return 0;
    }
    return integerValue(query.value(0)).value_or(0);
}

bool JournalReader::ensureOpen()
{
    if (!m_connection)
        m_connection = std::make_unique<SqlConnection>(m_path, SqlConnection::Access::ReadOnly);
    if (m_connection->isOpen()) {
        // The writer may upgrade a file of before the alarms at any time.
        QSqlQuery version(m_connection->database());
        m_hasAlarms = version.exec(QStringLiteral("PRAGMA user_version")) && version.next() &&
                      version.value(0).toLongLong() >= 2;
        return true;
    }
    fail(m_connection->error());
    return false;
}

void JournalReader::fail(const QString& error)
{
    m_error = error.isEmpty() ? QStringLiteral("unbekannter Fehler") : error;
    m_connection.reset();
}

QList<JournalRow> JournalReader::rows(const JournalFilter& filter, const QDateTime& now,
                                      Direction direction, std::optional<qint64> bound, qint64 upTo,
                                      int limit)
{
    m_error.clear();
    QList<TelegramKind> kinds = filter.kinds;
    std::sort(kinds.begin(), kinds.end());
    kinds.erase(std::unique(kinds.begin(), kinds.end()), kinds.end());
    if (kinds.isEmpty() || limit <= 0)
        return {};

    const QStringList words = searchWords(filter.search);
    const bool indexed = std::any_of(words.begin(), words.end(), trigramWord);
    const QString id = indexed ? QStringLiteral("s.rowid") : QStringLiteral("t.id");
    if (!ensureOpen())
        return {};
    BoundQuery query{QStringLiteral("SELECT ") + selectedColumns(m_hasAlarms) +
                         QStringLiteral(" FROM ") +
                         (indexed ? QStringLiteral("telegram_search s JOIN telegram t ON "
                                                   "t.id = s.rowid")
                                  : QStringLiteral("telegram t")),
                     {}};
    QStringList conditions;
    for (const QString& word : words) {
        conditions << (trigramWord(word) ? QStringLiteral("s.search_key GLOB ?")
                                         : QStringLiteral("t.search_key GLOB ?"));
        query.values << containsPattern(word);
    }
    if (kinds.size() < allTelegramKinds().size()) {
        QStringList marks;
        for (const TelegramKind kind : kinds) {
            marks << QStringLiteral("?");
            query.values << kindName(kind);
        }
        conditions << QStringLiteral("t.kind IN (") + marks.join(u',') + u')';
    }
    if (filter.alarmsOnly)
        conditions << (m_hasAlarms ? QStringLiteral("t.alarm IS NOT NULL") : QStringLiteral("0"));
    if (const QString start = periodStart(filter.period, now); !start.isEmpty()) {
        conditions << QStringLiteral("t.received_at >= ?");
        query.values << start;
    }
    if (direction == Direction::Newer) {
        conditions << id + QStringLiteral(" > ?") << id + QStringLiteral(" <= ?");
        query.values << bound.value_or(0) << upTo;
    } else if (bound) {
        conditions << id + QStringLiteral(" < ?");
        query.values << *bound;
    }
    if (!conditions.isEmpty())
        query.sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    query.sql +=
        QStringLiteral(" ORDER BY ") + id +
        (direction == Direction::Newer ? QStringLiteral(" ASC") : QStringLiteral(" DESC")) +
        QStringLiteral(" LIMIT ?");
    query.values << limit;

    QSqlQuery sql(m_connection->database());
    sql.setForwardOnly(true);
    // A failed prepare carries the cause; exec would only report the binding.
    const bool prepared = sql.prepare(query.sql);
    for (int i = 0; prepared && i < query.values.size(); ++i)
        sql.bindValue(i, query.values[i]);
    if (!prepared || !sql.exec()) {
        const QString error = sql.lastError().text();
        sql = QSqlQuery();
        fail(error);
        return {};
    }
    QList<JournalRow> result;
    while (sql.next()) {
        // Paging goes by id: a row without a whole-number id cannot be placed.
        if (const auto rowId = integerValue(sql.value(0)))
            result << readRow(sql, *rowId);
    }
    if (sql.lastError().isValid()) {
        const QString error = sql.lastError().text();
        sql = QSqlQuery();
        fail(error);
    }
    return result;
}
