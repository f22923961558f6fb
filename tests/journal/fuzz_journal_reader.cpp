// libFuzzer entry: a journal edited by hand. The first line is the search,
// every further line a row of tab-separated cells led by their type (i
// integer, r real, b blob, n NULL, else text). An odd first byte stores the
// rows under the program's own schema, an even one in a table without types.
#include "journal/delimited_text.h"
#include "journal/journal_cells.h"
#include "journal/journal_reader.h"
#include "journal/journal_schema.h"
#include "journal/sql_connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_journal_reader";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // the SQL driver is a plugin
    const QString path = QDir::tempPath() + QStringLiteral("/fuzz_journal_reader-") +
                         QString::number(QCoreApplication::applicationPid()) +
                         QStringLiteral(".sqlite");
    QFile::remove(path);
    const QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    {
        SqlConnection connection(path, SqlConnection::Access::ReadWrite);
        QSqlQuery query(connection.database());
        query.exec(QStringLiteral("PRAGMA synchronous = OFF")); // no disk waits per run
        if (size > 0 && (data[0] & 1))
            upgradeJournalSchema(connection.database());
        else
            query.exec(QStringLiteral("CREATE TABLE telegram (id, received_at, kind, address, "
                                      "name, status, direction, text, search_key)"));
        query.prepare(QStringLiteral("INSERT INTO telegram (id, received_at, kind, address, name, "
                                     "status, direction, text, search_key) VALUES (?, ?, ?, ?, "
                                     "?, ?, ?, ?, ?)"));
        for (qsizetype line = 1; line < std::min<qsizetype>(lines.size(), 64); ++line) {
            const QList<QByteArray> cells = lines[line].split('\t');
            for (int column = 0; column < 9; ++column) {
                const QByteArray cell = cells.value(column);
                const QByteArray value = cell.mid(1);
                const char type = cell.isEmpty() ? 't' : cell[0];
                query.bindValue(column, type == 'i'   ? QVariant(value.toLongLong())
                                        : type == 'r' ? QVariant(value.toDouble())
                                        : type == 'b' ? QVariant(value)
                                        : type == 'n' ? QVariant(QMetaType::fromType<QString>())
                                                      : QVariant(QString::fromUtf8(value)));
            }
            query.exec();
        }
    }
    JournalReader reader(path);
    const QDateTime now(QDate(2026, 12, 6), QTime(12, 0), Qt::OffsetFromUTC, 3600);
    JournalFilter filter;
    filter.search = QString::fromUtf8(lines.value(0));
    for (const auto period : {JournalPeriod::All, JournalPeriod::Today}) {
        filter.period = period;
        QList<QStringList> cells;
        std::optional<qint64> before;
        for (int page = 0; page < 20; ++page) {
            const QList<JournalRow> rows = reader.olderRows(filter, now, before, 7);
            for (const JournalRow& row : rows)
                cells << journalCells(row);
            if (rows.size() < 7)
                break;
            before = rows.last().id;
        }
        tabSeparated(journalColumnTitles(), cells);
        for (const QStringList& row : cells)
            csvLine(row);
        const qint64 newest = reader.newestId();
        reader.newerRows(filter, now, newest / 2, newest, 20);
    }
    QFile::remove(path);
    return 0;
}
