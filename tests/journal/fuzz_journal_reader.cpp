// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: a journal edited by hand. The first line is the search,
// every further line a row of tab-separated cells; missing cells are NULL.
// An odd first byte stores the rows under the program's own schema, an even
// one in a table where numbers, reals and text mix in every column. The
// status board's read takes the same file.
#include "journal/journal_cells.h"
#include "journal/journal_reader.h"
#include "journal/journal_schema.h"
#include "journal/sql_connection.h"
#include "journal/vehicle_states.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_journal_reader";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // the SQL driver is a plugin
    static const QString path = QDir::tempPath() + u"/fuzz_journal_reader-"_s +
                                QString::number(QCoreApplication::applicationPid());
    QFile::remove(path);
    const auto lines = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    {
        SqlConnection connection(path, SqlConnection::Access::ReadWrite);
        QSqlQuery query(connection.database());
        query.exec(u"PRAGMA synchronous = OFF"_s); // no disk waits per run
        if (size > 0 && (data[0] & 1))
            upgradeJournalSchema(connection.database());
        else
            query.exec(u"CREATE TABLE telegram (id NUMERIC, received_at NUMERIC, kind NUMERIC, "
                       "address NUMERIC, name NUMERIC, status NUMERIC, direction NUMERIC, "
                       "text NUMERIC, search_key NUMERIC)"_s);
        query.prepare(u"INSERT INTO telegram (id, received_at, kind, address, name, status, "
                      "direction, text, search_key) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
        for (qsizetype line = 1; line < lines.size(); ++line) {
            const QList<QByteArray> cells = lines[line].split('\t');
            for (int column = 0; column < 9; ++column)
                query.bindValue(column, QString::fromUtf8(cells.value(column)));
            query.exec();
        }
    }
    JournalReader reader(path);
    const JournalFilter filter{allTelegramKinds(), QString::fromUtf8(lines.value(0)),
                               size > 0 && (data[0] & 2) ? JournalPeriod::Today
                                                         : JournalPeriod::All};
    const QDateTime now(QDate(2026, 12, 6), QTime(12, 0), Qt::OffsetFromUTC, 3600);
    const QList<JournalRow> rows = reader.olderRows(filter, now, std::nullopt, 64);
    for (const JournalRow& row : rows)
        journalCells(row);
    if (!rows.isEmpty())
        reader.olderRows(filter, now, rows.last().id, 64);
    const qint64 newest = reader.newestId();
    reader.newerRows(filter, now, newest / 2, newest, 64);
    readVehicleStates(path,
                      [](const VehicleJournalState& state) { return !state.address.isEmpty(); });
    return 0;
}
