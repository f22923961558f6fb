// SPDX-License-Identifier: GPL-3.0-or-later
#include "directories/directories.h"
#include "directories/name_lists.h"
#include "directories/record_files.h"
#include "directories/status_tables.h"
#include "directories/text_lists.h"
#include "support/directory_entries.h"
#include "support/fake_dialogs.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestDirectories : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeDialogs m_dialogs;
    QStringList m_announced;

    void write(const QString& name, const QByteArray& bytes)
    {
        QDir(m_dir.path()).mkpath(QFileInfo(name).path());
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void load(Directories& directories, StatusTables& tables)
    {
        m_dialogs = FakeDialogs();
        m_announced.clear();
        loadNameLists(m_dir.path(), directories, tables, m_dialogs,
                      [this](const QString& message) { m_announced << message; });
    }

private slots:
    void init() { QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path())); }

    void searches()
    {
        Directories d;
        QVERIFY(!d.findFiveTone(u"12345") && !d.findVehicle(u"12345678") && !d.findPocsag(u"0"));
        d.setFiveToneReceivers({receiver(u"12345"_s, u"Erster"_s),
                                receiver(u"12345"_s, u"Zweiter"_s),
                                receiver(u"1234"_s, u"Kurz"_s)});
        QCOMPARE(d.findFiveTone(u"12345")->name.trimmed(), u"Erster"_s);
        // Stored with a trailing space; a line end is no match.
        QVERIFY(!d.findFiveTone(u"1234") && d.findFiveTone(u"1234 ") &&
                !d.findFiveTone(u"12345\n"));
        d.setVehicles({vehicle(u"61234567"_s, u"Florian 1"_s), vehicle(u"4711"_s, u"Kurz"_s)});
        QVERIFY(d.findVehicle(u"61234567") && !d.findVehicle(u"6123456a"));
        QVERIFY(!d.findVehicle(u"4711") && d.findVehicle(u"4711    "));
        d.setPocsagReceivers(
            {pager(42, u"Wehrführer"_s), pager(1234567, u"Zug"_s), pager(42, u"x"_s)});
        QCOMPARE(d.findPocsag(u"0001234567")->name.trimmed(), u"Zug"_s);
        QCOMPARE(d.findPocsag(u"42 Text")->name.trimmed(), u"Wehrführer"_s);
        QVERIFY(!d.findPocsag(u"abc")); // 0, and no receiver has it
    }

    void recordFiles_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("extraBytes");
        QTest::addColumn<int>("loaded"); // -1: invalid
        QTest::newRow("two") << 2 << 0 << 2;
        QTest::newRow("one byte short") << 2 << -1 << -1;
        QTest::newRow("one byte over") << 2 << 1 << -1;
        QTest::newRow("empty") << 0 << 0 << 0;
        QTest::newRow("beyond capacity") << 2600 << 0 << 2500;
    }

    void recordFiles()
    {
        QFETCH(int, records);
        QFETCH(int, extraBytes);
        QFETCH(int, loaded);
        QByteArray bytes =
            fiveToneRecordBytes(receiver(u"12345"_s, u"Müller"_s)).repeated(records) +
            QByteArray(std::max(extraBytes, 0), 'x');
        if (extraBytes < 0)
            bytes.chop(1);
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        const auto entries = readFiveToneRecords(file, Directories::FiveToneCapacity);
        QCOMPARE(entries ? int(entries->size()) : -1, loaded);
        if (loaded > 0) {
            QCOMPARE(entries->last().code.text(), u"12345"_s);
            QCOMPARE(entries->last().name.trimmed(), u"Müller"_s);
        }
    }

    void recordFieldsAndWidths()
    {
        QByteArray vehicles = vehicleRecordBytes(vehicle(u"61110144"_s, QString(40, u'N')));
        vehicles.replace(8, 30, QByteArray(30, '\0')); // a name of code-0 bytes stays so
        QBuffer vehicleFile(&vehicles);
        vehicleFile.open(QIODevice::ReadOnly);
        const Vehicle v = readVehicleRecords(vehicleFile, 10)->first();
        QCOMPARE(v.fmsId.text(), u"61110144"_s);
        QCOMPARE(v.name.text(), QString(30, QChar(0)));

        QByteArray pagers = pocsagRecordBytes(pager(0x281b0e01, u"Zugführer"_s));
        QCOMPARE(pagers.left(4), QByteArray("\x01\x0e\x1b\x28")); // little-endian
        QBuffer pagerFile(&pagers);
        pagerFile.open(QIODevice::ReadOnly);
        const PocsagReceiver p = readPocsagRecords(pagerFile, 10)->first();
        QCOMPARE(p.address, 0x281b0e01);
        QCOMPARE(p.name.text(), u"Zugführer"_s.leftJustified(50, u' '));
    }

    void textListLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("entry"); // code|name; empty: not taken
        const auto row = [](const char* name, const QByteArray& line, const QString& entry = {}) {
            QTest::newRow(name) << line << entry;
        };
        row("three words dropped", "FME 12345 a b c Wehr Nord", u"12345|Wehr Nord"_s);
        row("last word kept", "FME 12345 Wehr Nord Sued Ost", u"12345|Ost"_s);
        row("hash joins", "FME 12345 x y z Feuerwehr#Vollalarm", u"12345|Feuerwehr Vollalarm"_s);
        row("early hash stays", "FME 12345 x y z #1 Wache", u"12345|#1 Wache"_s);
        row("four-digit code", "FME 1234 Wache");
        row("lower case", "fme 12345 a b c Wache");
        row("no space", "FME12345 a b c Wache");
        row("code page", "FME 22222 a b c L\xf6schzug", u"22222|Löschzug"_s);
    }

    void textListLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, entry);
        QByteArray text = "# Kommentar\r\n" + line;
        QBuffer file(&text);
        file.open(QIODevice::ReadOnly);
        QStringList taken;
        for (const FiveToneReceiver& r : readFiveToneTextList(file, 10).entries)
            taken << r.code.text() + u'|' + r.name.trimmed();
        QCOMPARE(taken.join(u'\n'), entry);
    }

    void vehicleTextList()
    {
        QByteArray text = "KFZ 12345678 a b c Florian 1 # Reserve\r"
                          "KFZ 87654321 a b c ab#x\n"
                          "KFZ 11111111 a b c Ohne Raute  \r\n"
                          "KFZ 1234 kurz\r\n";
        QBuffer file(&text);
        file.open(QIODevice::ReadOnly);
        const auto list = readVehicleTextList(file, 2);
        QVERIFY(list.overflowed); // the third vehicle does not fit
        QCOMPARE(list.entries.size(), 2);
        QCOMPARE(list.entries[0].name.trimmed(), u"Florian 1"_s);
        QCOMPARE(list.entries[1].name.trimmed(), u"ab"_s);
        file.seek(0);
        QCOMPARE(readVehicleTextList(file, 3).entries[2].name.text(),
                 u"Ohne Raute  "_s.leftJustified(30, u' ')); // no "#": kept untrimmed
    }

    void statusTexts()
    {
        QByteArray text = "LST6: Frei auf Wache\r\nLST6:X Text\r\nKFZ6: Kommen\r\nLST6:\r\n";
        for (int i = 0; i < 30; ++i)
            text += "LST6: mehr\r\nKFZ6: mehr\r\n";
        QBuffer file(&text);
        file.open(QIODevice::ReadOnly);
        StatusTables tables;
        QCOMPARE(tables.text(3, FmsDirection::ToVehicle), u"C - Für Einsatz Melden"_s);
        QCOMPARE(readStatusTexts(file, tables), 19);
        QCOMPARE(tables.text(0, FmsDirection::FromVehicle), u"Frei auf Wache"_s);
        QCOMPARE(tables.text(1, FmsDirection::FromVehicle), u"Text"_s);
        QCOMPARE(tables.text(2, FmsDirection::FromVehicle), QString());
        QCOMPARE(tables.text(0, FmsDirection::ToVehicle), u"Kommen"_s);
        QCOMPARE(tables.text(18, FmsDirection::ToVehicle), u"mehr"_s);
        QCOMPARE(tables.lineColour(10, FmsDirection::ToVehicle), tables.colour(10));
        QCOMPARE(tables.lineColour(3, FmsDirection::ToVehicle), (Rgb{255, 255, 255}));
        QCOMPARE(tables.lineColour(8, FmsDirection::FromVehicle), (Rgb{255, 0, 128}));
    }

    void loadingOrderAndMessages()
    {
        // Fahrzeug.Dat valid: the text list is not read for vehicles;
        // Ton5.dat invalid: a message, then the text list; POCSAG.DAT empty.
        write(u"Fahrzeug.Dat"_s, vehicleRecordBytes(vehicle(u"61110144"_s, u"Aus Datei"_s)));
        write(u"Ton5.dat"_s, QByteArray(645, 'x'));
        write(u"POCSAG.DAT"_s, QByteArray());
        write(u"settings/FAHRZEUGMELDER.HVN"_s, "KFZ 61110144 a b c Aus Liste\r\n"
                                                "FME 21101 a b c Vollalarm\r\n");
        Directories d;
        StatusTables tables;
        load(d, tables);
        QCOMPARE(d.findVehicle(u"61110144")->name.trimmed(), u"Aus Datei"_s);
        QCOMPARE(d.findFiveTone(u"21101")->name.trimmed(), u"Vollalarm"_s);
        QCOMPARE(m_dialogs.messages.size(), 1);
        QCOMPARE(m_dialogs.messages[0].text, u"Ton5.dat ist Keine gültige 5Ton-Datei!"_s);
        QCOMPARE(m_dialogs.messages[0].icon, MessageBoxRequest::Icon::None);
        QCOMPARE(m_announced, (QStringList{u"1 Fahrzeuge geladen."_s, u"1 Melder geladen."_s}));

        // An empty Fahrzeug.Dat announces 0, then the text list its own.
        write(u"Fahrzeug.Dat"_s, QByteArray());
        write(u"Ton5.dat"_s, fiveToneRecordBytes(receiver(u"21101"_s, u"Aus Datei"_s)));
        write(u"POCSAG.DAT"_s, QByteArray(582, 'x'));
        load(d, tables);
        QCOMPARE(d.findVehicle(u"61110144")->name.trimmed(), u"Aus Liste"_s);
        QCOMPARE(d.findFiveTone(u"21101")->name.trimmed(), u"Aus Datei"_s);
        QCOMPARE(m_announced, (QStringList{u"0 Fahrzeuge geladen."_s, u"1 Fahrzeuge geladen."_s,
                                           u"1 Melder geladen."_s}));
        QCOMPARE(m_dialogs.messages.size(), 1);
        QCOMPARE(m_dialogs.messages[0].text, u"Keine gültige POCSAG-Datei!"_s);

        // An invalid Fahrzeug.Dat: its critical message; nothing left behind.
        write(u"Fahrzeug.Dat"_s, QByteArray(516, 'x'));
        QVERIFY(QFile::remove(m_dir.filePath(u"settings/FAHRZEUGMELDER.HVN"_s)));
        load(d, tables);
        QCOMPARE(m_dialogs.messages[0].text, u"Keine gültige Fahrzeug DAT-Datei!"_s);
        QCOMPARE(m_dialogs.messages[0].icon, MessageBoxRequest::Icon::Critical);
        QVERIFY(!d.findVehicle(u"61110144"));
    }

    void unreadableFilesCountAsMissing()
    {
        // A FIFO would block a plain open; it is no regular file.
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath(u"Ton5.dat"_s)).constData(), 0600) == 0);
        Directories d;
        StatusTables tables;
        load(d, tables);
        QVERIFY(m_dialogs.messages.isEmpty() && m_announced.isEmpty());
    }

    void listFolderChoice()
    {
        const QString data = u"/data"_s;
        QCOMPARE(chooseListFolder(u"/given"_s, m_dir.path(), data), u"/given"_s);
        QCOMPARE(chooseListFolder(std::nullopt, m_dir.path(), data), data);
        QDir(m_dir.path()).mkdir(u"SETTINGS"_s);
        QCOMPARE(chooseListFolder(std::nullopt, m_dir.path(), data), m_dir.path());
        QDir(m_dir.path()).rmdir(u"SETTINGS"_s);
        write(u"pocsag.dat"_s, QByteArray());
        QCOMPARE(chooseListFolder(std::nullopt, m_dir.path(), data), m_dir.path());
    }

    void generatedSamplesLoad()
    {
        QProcess generator;
        generator.start(QStringLiteral(MAKE_SAMPLE_LISTS),
                        {QStringLiteral(SAMPLE_SOURCE), m_dir.path(), u"--text-only"_s});
        QVERIFY(generator.waitForFinished(10000));
        QCOMPARE(generator.exitCode(), 0);
        Directories fromText;
        StatusTables tables;
        load(fromText, tables);
        generator.start(QStringLiteral(MAKE_SAMPLE_LISTS),
                        {QStringLiteral(SAMPLE_SOURCE), m_dir.path(), u"--records-only"_s});
        QVERIFY(generator.waitForFinished(10000));
        Directories fromRecords;
        load(fromRecords, tables);
        QCOMPARE(tables.text(1, FmsDirection::FromVehicle), u"Einsatzbereit über Funk"_s);
        // The record files and the text list give the same names.
        QCOMPARE(fromText.findVehicle(u"61110144")->name.trimmed(),
                 fromRecords.findVehicle(u"61110144")->name.trimmed());
        QCOMPARE(fromText.findFiveTone(u"21220")->name.trimmed(), u"FF Südhausen Löschzug"_s);
        QCOMPARE(fromRecords.findFiveTone(u"21220")->name.trimmed(), u"FF Südhausen Löschzug"_s);
        QVERIFY(fromRecords.findPocsag(u"77001"));
    }
};

QTEST_GUILESS_MAIN(TestDirectories)
#include "tst_directories.moc"
