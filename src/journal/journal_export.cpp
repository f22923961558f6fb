// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_export.h"

#include "delimited_text.h"
#include "journal_cells.h"
#include "journal_reader.h"

#include <QSaveFile>

JournalExportResult exportJournal(const QString& journalPath, const JournalFilter& filter,
                                  const QDateTime& now, const QString& target)
{
    constexpr int PageRows = 2000;
    JournalExportResult result;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    file.write(utf8ByteOrderMark());
    file.write(csvLine(journalColumnTitles()).toUtf8());
    JournalReader reader(journalPath);
    std::optional<qint64> before;
    for (;;) {
        const QList<JournalRow> page = reader.olderRows(filter, now, before, PageRows);
        if (!reader.error().isEmpty()) {
            result.error = reader.error();
            file.cancelWriting();
            return result;
        }
        for (const JournalRow& row : page)
            file.write(csvLine(journalCells(row)).toUtf8());
        result.rows += page.size();
        if (page.size() < PageRows)
            break;
        before = page.last().id;
    }
    if (!file.commit())
        result.error = file.errorString();
    return result;
}
