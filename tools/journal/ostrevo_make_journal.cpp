// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a journal with a realistic mix of telegrams for the benchmarks:
//   ostrevo-make-journal FILE [ROWS] [DAYS]     (1 000 000 rows over 90 days)
#include "journal_mix.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 4) {
        std::fprintf(stderr, "usage: ostrevo-make-journal FILE [ROWS] [DAYS]\n");
        return 2;
    }
    bool rowsOk = true;
    bool daysOk = true;
    const qint64 rows = args.size() > 2 ? args[2].toLongLong(&rowsOk) : 1'000'000;
    const int days = args.size() > 3 ? args[3].toInt(&daysOk) : 90;
    if (!rowsOk || !daysOk || rows < 0 || days < 0 || days > 36'600) {
        std::fprintf(stderr, "ROWS and DAYS are whole numbers, DAYS at most 36600\n");
        return 2;
    }
    QString error;
    if (!writeMixedJournal(args[1], rows, days, QDateTime::currentDateTime(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
