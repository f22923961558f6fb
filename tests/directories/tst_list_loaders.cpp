#include "directories/directories.h"
#include "directories/list_file_path.h"
#include "directories/list_load_context.h"
#include "directories/name_lists.h"
#include "directories/record_file_loaders.h"
#include "directories/text_list_loaders.h"
#include "presentation/status_tables.h"
#include "support/fake_dialogs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

class TestListLoaders : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Directories> m_lists;
    FakeDialogs m_dialogs;
    QStringList m_announced;
    std::unique_ptr<ListLoadContext> m_context;

    void write(const QString& name, const QByteArray& bytes)
    {
        QDir(m_dir->path()).mkpath(QFileInfo(name).path());
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray fmeRecord(const QByteArray& code, const QByteArray& name)
    {
        return QByteArray(code.leftJustified(5, ' ', true) + name.leftJustified(50, ' ', true))
            .leftJustified(323, '\0');
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_lists = std::make_unique<Directories>();
        m_dialogs = FakeDialogs();
        m_announced.clear();
        m_context.reset(new ListLoadContext{*m_lists, m_dir->path(), m_dialogs,
                                            [this](const QString& m) { m_announced << m; }});
    }

    void fmeFileSizes_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("invalid");
        QTest::newRow("two records") << 646 << 2 << false;
        QTest::newRow("one byte short") << 645 << 0 << true;
        QTest::newRow("empty") << 0 << 0 << false;
        QTest::newRow("beyond capacity") << 2600 * 323 << 2500 << false;
    }

    void fmeFileSizes()
    {
        QFETCH(int, bytes);
        QFETCH(int, result);
        QFETCH(bool, invalid);
        QByteArray content;
        while (content.size() < bytes)
            content += fmeRecord(QByteArray::number(10000 + content.size() / 323), "Wache");
        content.truncate(bytes);
        write(QStringLiteral("Ton5.dat"), content);
        QCOMPARE(LoadFmeFile(QStringLiteral("Ton5.dat"), *m_context), result);
        QCOMPARE(m_dialogs.messages.size(), invalid ? 1 : 0);
        if (invalid) {
            QCOMPARE(m_dialogs.messages[0].text,
                     QStringLiteral("Ton5.dat ist Keine gültige 5Ton-Datei!"));
            QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("5Ton Empfänger Laden"));
            QCOMPARE(m_dialogs.messages[0].icon, MessageBoxRequest::Icon::None);
            QVERIFY(m_announced.isEmpty());
        } else {
            QCOMPARE(m_announced,
                     QStringList{QString::number(result) + QStringLiteral(" Melder geladen.")});
        }
        if (result > 0)
            QCOMPARE(m_lists->FmeList[result].Name.text(),
                     QStringLiteral("Wache").leftJustified(50, u' '));
    }

    void fmeRecordBytesAreKept()
    {
        QByteArray zeroName = fmeRecord("12345", "");
        zeroName.replace(5, 50, QByteArray(50, '\0'));
        write(QStringLiteral("Ton5.dat"), fmeRecord("1234", "M\xfc"
                                                            "ller") +
                                              zeroName);
        QCOMPARE(LoadFmeFile(QStringLiteral("Ton5.dat"), *m_context), 2);
        QCOMPARE(m_lists->FmeList[1].Code.text(), QStringLiteral("1234 "));
        QCOMPARE(m_lists->FmeList[1].Name.trimmed(), QStringLiteral("Müller"));
        QCOMPARE(m_lists->FmeList[2].Name.text(), QString(50, QChar(0)));
    }

    void vehicleFile()
    {
        m_lists->VehicleList[7].FmsId.assign(u"old");
        QCOMPARE(LoadVehicleFile(QStringLiteral("Fahrzeug.Dat"), *m_context), 0);
        QCOMPARE(m_lists->VehicleList[7].FmsId.text(),
                 QString(8, QChar(0))); // cleared although missing

        VehicleRecord vehicle;
        vehicle.FmsId.assign(u"61110144");
        vehicle.Name.assign(u"Florian 1");
        write(QStringLiteral("Fahrzeug.Dat"), vehicle.toFileBytes() + vehicle.toFileBytes());
        QCOMPARE(LoadVehicleFile(QStringLiteral("Fahrzeug.Dat"), *m_context), 2);
        QCOMPARE(m_lists->FindVehicle(QStringLiteral("61110144")), 1);

        write(QStringLiteral("Fahrzeug.Dat"), QByteArray());
        QCOMPARE(LoadVehicleFile(QStringLiteral("Fahrzeug.Dat"), *m_context), 0);
        QCOMPARE(m_announced.last(), QStringLiteral("0 Fahrzeuge geladen."));

        write(QStringLiteral("Fahrzeug.Dat"), QByteArray(516, 'x'));
        QCOMPARE(LoadVehicleFile(QStringLiteral("Fahrzeug.Dat"), *m_context), 0);
        QCOMPARE(m_dialogs.messages.last().text,
                 QStringLiteral("Keine gültige Fahrzeug DAT-Datei!"));
        QCOMPARE(m_dialogs.messages.last().title, QStringLiteral("Fahrzeuge Laden"));
        QCOMPARE(m_dialogs.messages.last().icon, MessageBoxRequest::Icon::Critical);
    }

    void pocsagFile_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("elements");
        QTest::newRow("three records") << 3 * 581 << 3 << 14;
        QTest::newRow("invalid") << 3 * 581 + 1 << 0 << 501;
        QTest::newRow("empty") << 0 << 0 << 11;
        QTest::newRow("many") << 600 * 581 << 600 << 611;
    }

    void pocsagFile()
    {
        QFETCH(int, bytes);
        QFETCH(int, result);
        QFETCH(int, elements);
        PocsagRecord receiver;
        receiver.Ric = 4711;
        QByteArray content;
        while (content.size() < bytes)
            content += receiver.toFileBytes();
        content.truncate(bytes);
        write(QStringLiteral("POCSAG.DAT"), content);
        QCOMPARE(LoadPocsagFile(QStringLiteral("POCSAG.DAT"), *m_context), result);
        QCOMPARE(int(m_lists->PocsagList.size()), elements);
        QCOMPARE(m_lists->PocsagLoadedCount, result);
        QCOMPARE(m_lists->PocsagList.back().Ric, 0);
        QVERIFY(m_announced.isEmpty());
        if (result == 0 && bytes > 0)
            QCOMPARE(m_dialogs.messages.last().text, QStringLiteral("Keine gültige POCSAG-Datei!"));
    }

    void missingPocsagLeavesNoElements()
    {
        QCOMPARE(LoadPocsagFile(QStringLiteral("POCSAG.DAT"), *m_context), 0);
        QVERIFY(m_lists->PocsagList.empty());
    }

    void textListExamples_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("three words dropped")
            << QByteArray("FME 12345 a b c Wehr Nord") << u"12345"_qs << u"Wehr Nord"_qs;
        QTest::newRow("last word kept")
            << QByteArray("FME 12345 Wehr Nord Sued Ost") << u"12345"_qs << u"Ost"_qs;
        QTest::newRow("two words")
            << QByteArray("FME 12345 Wehr Nord") << u"12345"_qs << u"Nord"_qs;
        QTest::newRow("hash joins") << QByteArray("FME 12345 x y z Feuerwehr#Vollalarm")
                                    << u"12345"_qs << u"Feuerwehr Vollalarm"_qs;
        QTest::newRow("early hash stays")
            << QByteArray("FME 12345 x y z #1 Wache") << u"12345"_qs << u"#1 Wache"_qs;
        QTest::newRow("four-digit code") << QByteArray("FME 1234 Wache") << QString() << QString();
        QTest::newRow("lower case")
            << QByteArray("fme 12345 a b c Wache") << QString() << QString();
        QTest::newRow("no space") << QByteArray("FME12345 a b c Wache") << QString() << QString();
        QTest::newRow("code page")
            << QByteArray("FME 22222 a b c L\xf6schzug") << u"22222"_qs << u"Löschzug"_qs;
    }

    void textListExamples()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, code);
        QFETCH(QString, name);
        write(QStringLiteral("Settings/FahrzeugMelder.hvn"), "# Kommentar\r\n" + line);
        QCOMPARE(LoadFmeText(QStringLiteral("Settings\\FahrzeugMelder.hvn"), *m_context),
                 code.isEmpty() ? 0 : 1);
        if (!code.isEmpty()) {
            QVERIFY(m_lists->FmeList[1].Code.equals(code));
            QCOMPARE(m_lists->FmeList[1].Name.trimmed(), name);
        }
    }

    void vehicleTextList()
    {
        write(QStringLiteral("settings/FAHRZEUGMELDER.HVN"),
              "KFZ 12345678 a b c Florian 1 # Reserve\r"
              "KFZ 87654321 a b c ab#x\n"
              "KFZ 11111111 a b c Ohne Raute  \r\n"
              "KFZ 1234 kurz\r\n");
        QCOMPARE(LoadVehicleText(QStringLiteral("Settings\\Fahrzeugmelder.hvn"), *m_context), 3);
        const auto& v = m_lists->VehicleList;
        QCOMPARE(v[1].FmsId.text(), QStringLiteral("12345678"));
        QCOMPARE(v[1].Name.trimmed(), QStringLiteral("Florian 1"));
        QCOMPARE(v[1].Remark.trimmed(), QStringLiteral("Reserve"));
        QCOMPARE(v[2].Name.trimmed(), QStringLiteral("ab"));
        QCOMPARE(v[2].Remark.text(), QString(50, QChar(0)));
        QCOMPARE(v[3].Name.text(), QStringLiteral("Ohne Raute  ").leftJustified(30, u' '));
        QCOMPARE(m_announced, QStringList{u"3 Fahrzeuge geladen."_qs});
    }

    void capacityStops()
    {
        QByteArray lines;
        for (int i = 0; i < 2001; ++i)
            lines += "KFZ " + QByteArray::number(10000000 + i) + " a b c Fahrzeug\r\n";
        write(QStringLiteral("Settings/Fahrzeugmelder.hvn"), lines);
        QCOMPARE(LoadVehicleText(QStringLiteral("Settings\\Fahrzeugmelder.hvn"), *m_context), 0);
        QCOMPARE(m_lists->FindVehicle(QStringLiteral("10001999")), 2000);
        QVERIFY(m_announced.isEmpty());
    }

    void statusTexts()
    {
        StatusTables tables;
        tables.FillDefaults();
        QByteArray lines = "LST6: Frei auf Wache\r\nLST6:X Text\r\nKFZ6: Kommen\r\nLST6:\r\n";
        for (int i = 0; i < 30; ++i)
            lines += "LST6: mehr\r\nKFZ6: mehr\r\n";
        write(QStringLiteral("Settings/BOSList.hvn"), lines);
        QCOMPARE(LoadStatusTexts(QStringLiteral("Settings\\BOSList.hvn"), tables, *m_context), 19);
        QCOMPARE(tables.StatusText[0][0], QStringLiteral("Frei auf Wache"));
        QCOMPARE(tables.StatusText[1][0], QStringLiteral("Text"));
        QCOMPARE(tables.StatusText[2][0], QString());
        QCOMPARE(tables.StatusText[0][1], QStringLiteral("Kommen"));
        QCOMPARE(tables.StatusText[18][1], QStringLiteral("mehr"));

        StatusTables single;
        single.FillDefaults();
        write(QStringLiteral("Settings/BOSList.hvn"), "LST6: Frei auf Wache");
        QCOMPARE(LoadStatusTexts(QStringLiteral("Settings\\BOSList.hvn"), single, *m_context), 1);
        QCOMPARE(single.StatusText[0][0], QStringLiteral("Frei auf Wache"));
        QCOMPARE(single.StatusText[1][0], QStringLiteral("Frei auf Funk"));
    }

    void fileNamesIgnoreCase()
    {
        write(QStringLiteral("SETTINGS/fahrzeugmelder.hvn"), "x");
        const auto lower =
            ResolveListFile(QStringLiteral("Settings\\Fahrzeugmelder.hvn"), m_dir->path());
        const auto upper =
            ResolveListFile(QStringLiteral("Settings\\FahrzeugMelder.hvn"), m_dir->path());
        QVERIFY(lower && upper);
        QCOMPARE(*lower, *upper);
        QVERIFY(!ResolveListFile(QStringLiteral("Settings\\BOSList.hvn"), m_dir->path()));
        QVERIFY(!ResolveListFile(QStringLiteral("Settings"), m_dir->path())); // a folder is no list
    }

    void unreadableFilesCountAsMissing()
    {
        // A FIFO would block a plain open; it is no regular file and is skipped.
        QVERIFY(::mkfifo(QFile::encodeName(m_dir->filePath(QStringLiteral("Ton5.dat"))).constData(),
                         0600) == 0);
        QCOMPARE(LoadFmeFile(QStringLiteral("Ton5.dat"), *m_context), 0);
        QVERIFY(m_dialogs.messages.isEmpty());
        if (::geteuid() == 0)
            QSKIP("root reads files without read permission");
        write(QStringLiteral("POCSAG.DAT"), QByteArray(581, 'x'));
        QFile::setPermissions(m_dir->filePath(QStringLiteral("POCSAG.DAT")), {});
        QCOMPARE(LoadPocsagFile(QStringLiteral("POCSAG.DAT"), *m_context), 0);
        QVERIFY(m_lists->PocsagList.empty());
        QVERIFY(m_dialogs.messages.isEmpty());
    }

    void generatedSamplesLoad()
    {
        QProcess generator;
        generator.start(QStringLiteral(MAKE_SAMPLE_LISTS),
                        {QStringLiteral(SAMPLE_SOURCE), m_dir->path()});
        QVERIFY(generator.waitForFinished(10000));
        QCOMPARE(generator.exitCode(), 0);
        StatusTables tables;
        tables.FillDefaults();
        LoadNameLists(tables, *m_context);
        QCOMPARE(tables.StatusText[1][0], QStringLiteral("Einsatzbereit über Funk"));
        QVERIFY(m_lists->FindVehicle(QStringLiteral("61110144")) > 0);
        QVERIFY(m_lists->FindFme(QStringLiteral("21220")));
        QVERIFY(m_lists->FindPocsag(QStringLiteral("77001")));

        // Without the record files the text list gives the same names.
        Directories fromText;
        ListLoadContext textOnly{fromText, m_dir->path(), m_dialogs, [](const QString&) {}};
        QVERIFY(LoadVehicleText(QStringLiteral("Settings\\Fahrzeugmelder.hvn"), textOnly) > 0);
        QVERIFY(LoadFmeText(QStringLiteral("Settings\\FahrzeugMelder.hvn"), textOnly) > 0);
        const int index = fromText.FindVehicle(QStringLiteral("61110144"));
        QCOMPARE(
            fromText.VehicleList[index].Name.trimmed(),
            m_lists->VehicleList[m_lists->FindVehicle(QStringLiteral("61110144"))].Name.trimmed());
        QCOMPARE(fromText.FmeList[*fromText.FindFme(QStringLiteral("21220"))].Name.trimmed(),
                 QStringLiteral("FF Südhausen Löschzug"));
    }
};

QTEST_GUILESS_MAIN(TestListLoaders)
#include "tst_list_loaders.moc"
