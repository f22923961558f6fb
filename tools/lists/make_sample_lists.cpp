// SPDX-License-Identifier: GPL-3.0-or-later
// Writes sample list files from a readable source (see sample-lists.txt):
//   ostrevo-make-lists SOURCE OUTDIR [--records-only | --text-only]
#include "common/cp1252.h"
#include "common/version.h"
#include "directories/record_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

struct Lists
{
    QByteArray ton5, vehicles, pocsag, statusTexts, textList;
};

// The text list puts three columns before the name, which the reader drops.
constexpr char Columns[] = "ZVEI Kreis Alarm ";

void addLine(Lists& lists, const QString& line)
{
    const QString keyword = line.section(u' ', 0, 0);
    const QString key = line.section(u' ', 1, 1);
    const QString rest = line.section(u' ', 2);
    if (keyword == u"FME") {
        FiveToneReceiver receiver;
        receiver.code.assign(key);
        receiver.name.assign(rest);
        lists.ton5 += fiveToneRecordBytes(receiver);
        lists.textList += "FME " + encodeCp1252(key) + ' ' + Columns + encodeCp1252(rest) + "\r\n";
    } else if (keyword == u"KFZ") {
        Vehicle vehicle;
        vehicle.fmsId.assign(key);
        vehicle.name.assign(rest.section(u'#', 0, 0).trimmed());
        lists.vehicles += vehicleRecordBytes(vehicle);
        lists.textList += "KFZ " + encodeCp1252(key) + ' ' + Columns + encodeCp1252(rest) + "\r\n";
    } else if (keyword == u"POC") {
        PocsagReceiver receiver;
        receiver.address = key.toInt();
        receiver.name.assign(rest);
        lists.pocsag += pocsagRecordBytes(receiver);
    } else if (keyword == u"LST6:" || keyword == u"KFZ6:") {
        lists.statusTexts += encodeCp1252(line) + "\r\n";
    }
}

bool write(const QString& path, const QByteArray& bytes)
{
    // Written aside and renamed: a full disk never leaves a desk's list half written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "ostrevo-make-lists: %s kann nicht geschrieben werden\n",
                     qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--version"))) {
        std::printf("ostrevo-make-lists %s\n", Version::Text);
        return 0;
    }
    if (args.size() < 3) {
        std::fprintf(stderr, "Aufruf: ostrevo-make-lists QUELLE ZIELVERZEICHNIS "
                             "[--records-only | --text-only]\n");
        return 2;
    }
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "ostrevo-make-lists: %s kann nicht gelesen werden\n",
                     qPrintable(args[1]));
        return 1;
    }
    Lists lists;
    QTextStream in(&source);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.startsWith(u'#') && !line.trimmed().isEmpty())
            addLine(lists, line);
    }
    const bool records = !args.contains(QStringLiteral("--text-only"));
    const bool text = !args.contains(QStringLiteral("--records-only"));
    QDir out(args[2]);
    if (!out.mkpath(QStringLiteral("Settings"))) {
        std::fprintf(stderr, "ostrevo-make-lists: %s kann nicht angelegt werden\n",
                     qPrintable(args[2]));
        return 1;
    }
    bool ok = true;
    if (records) {
        ok &= write(out.filePath(QStringLiteral("Ton5.dat")), lists.ton5);
        ok &= write(out.filePath(QStringLiteral("Fahrzeug.Dat")), lists.vehicles);
        ok &= write(out.filePath(QStringLiteral("POCSAG.DAT")), lists.pocsag);
    }
    if (text) {
        ok &= write(out.filePath(QStringLiteral("Settings/BOSList.hvn")), lists.statusTexts);
        ok &= write(out.filePath(QStringLiteral("Settings/Fahrzeugmelder.hvn")), lists.textList);
    }
    return ok ? 0 : 1;
}
