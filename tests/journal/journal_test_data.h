#pragma once

#include "journal/journal.h"
#include "journal/sql_connection.h"
#include "support/fixed_clock.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// A telegram as the presenter would report it, received `daysAgo` days
// before the fixed clock's time and `seconds` later.
inline HandledTelegram handled(TelegramKind kind, const QString& address, const QString& name,
                               const QString& text, int daysAgo = 0, int seconds = 0)
{
    HandledTelegram telegram;
    telegram.receivedAt = FixedClock().time.addDays(-daysAgo).addSecs(seconds);
    telegram.kind = kind;
    telegram.address = address;
    telegram.name = name;
    telegram.text = text;
    telegram.passedFilters = telegram.shown = true;
    telegram.record = kind == TelegramKind::Fms ? QStringLiteral("FMS ") + address : address;
    if (kind == TelegramKind::Fms) {
        telegram.status = 3;
        telegram.direction = FmsDirection::FromVehicle;
    }
    return telegram;
}

// The values of `columns` in every row by id, read as another program
// would: "|" between values, NULL for NULL.
inline QStringList tableRows(const QString& path, const QString& columns)
{
    SqlConnection connection(path, SqlConnection::Access::ReadOnly);
    QStringList rows;
    QSqlQuery query(connection.database());
    query.exec(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM telegram ORDER BY id"));
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.isNull(i) ? u"NULL"_qs : query.value(i).toString());
        rows << row.join(u'|');
    }
    return rows;
}

// Writes the telegrams through a journal of its own and closes it.
inline void writeJournal(const QString& path, const QList<HandledTelegram>& telegrams)
{
    FixedClock clock;
    Journal journal(path, clock, 0);
    for (const HandledTelegram& telegram : telegrams)
        journal.append(telegram);
}
