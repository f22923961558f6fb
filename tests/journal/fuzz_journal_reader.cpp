// libFuzzer entry: a journal file edited by hand. The input's first line is
// the search; every further line a row of tab-separated cells, each led by
// its type: i integer, r real, b blob, n NULL, anything else text. Odd
// first bytes store the rows under the program's own schema (search index
// included), even ones in a table without types or constraints.
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

namespace {

QVariant cell(const QByteArray& bytes)
{
    const QByteArray value = bytes.mid(1);
    switch (bytes.isEmpty() ? 't' : bytes[0]) {
    case 'i':
        return value.toLongLong();
    case 'r':
        return value.toDouble();
    case 'b':
        return value;
    case 'n':
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QString::fromUtf8(value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_journal_reader";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    const QString path = QDir::tempPath() + QStringLiteral("/fuzz_journal_reader-") +
                         QString::number(QCoreApplication::applicationPid()) +
                         QStringLiteral(".sqlite");
    QFile::remove(path);

    const QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    const bool ownSchema = size > 0 && (data[0] & 1);
    {
        SqlConnection connection(path, SqlConnection::Access::ReadWrite);
        QSqlQuery query(connection.database());
        if (ownSchema)
            upgradeJournalSchema(connection.database());
        else
            query.exec(QStringLiteral("CREATE TABLE telegram (id, received_at, kind, address, "
                                      "name, status, direction, text, search_key)"));
        query.prepare(QStringLiteral(
            "INSERT INTO telegram (id, received_at, kind, address, name, status, direction, "
            "text, search_key) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (qsizetype line = 1; line < lines.size() && line < 64; ++line) {
            const QList<QByteArray> cells = lines[line].split('\t');
            for (int column = 0; column < 9; ++column)
                query.bindValue(column,
                                column < cells.size() ? cell(cells[column]) : QVariant(QString()));
            query.exec();
        }
    }

    JournalReader reader(path);
    const QDateTime now(QDate(2026, 12, 6), QTime(12, 0), Qt::OffsetFromUTC, 3600);
    JournalFilter filter;
    filter.search = QString::fromUtf8(lines.value(0));
    for (const JournalPeriod period :
         {JournalPeriod::All, JournalPeriod::Today, JournalPeriod::LastSevenDays}) {
        filter.period = period;
        QList<QStringList> cells;
        for (const JournalRow& row : reader.olderRows(filter, now, 0, 20))
            cells << journalCells(row);
        tabSeparated(journalColumnTitles(), cells);
        for (const QStringList& row : cells)
            csvLine(row);
        const qint64 newest = reader.newestId();
        reader.newerRows(filter, now, newest - 5, newest, 20);
    }
    QFile::remove(path);
    return 0;
}
