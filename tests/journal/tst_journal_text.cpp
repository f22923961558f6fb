#include "journal/delimited_text.h"
#include "journal/journal_export.h"
#include "journal_test_data.h"

#include <QTemporaryDir>
#include <QTest>

class TestJournalText : public QObject
{
    Q_OBJECT

private slots:
    void csvLine_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << QStringList{u"a"_qs, QString(), u"Zugführer"_qs}
                               << u"a;;Zugführer\r\n"_qs;
        QTest::newRow("semicolon") << QStringList{u"a;b"_qs, u"c"_qs} << u"\"a;b\";c\r\n"_qs;
        QTest::newRow("quotes doubled")
            << QStringList{u"sagt \"Halt\""_qs} << u"\"sagt \"\"Halt\"\"\"\r\n"_qs;
        QTest::newRow("line feed") << QStringList{u"a\nb"_qs, u"c"_qs} << u"\"a\nb\";c\r\n"_qs;
        QTest::newRow("carriage return") << QStringList{u"a\rb"_qs} << u"\"a\rb\"\r\n"_qs;
        QTest::newRow("comma and tab stay bare") << QStringList{u"a,b\tc"_qs} << u"a,b\tc\r\n"_qs;
    }

    void csvLine()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        QCOMPARE(::csvLine(fields), line);
    }

    void tabSeparatedKeepsCells()
    {
        QCOMPARE(
            tabSeparated({u"Zeit"_qs, u"Text"_qs}, {{u"1"_qs, u"a\tb\r\nc"_qs}, {u"2"_qs, {}}}),
            u"Zeit\tText\n1\ta b  c\n2\t\n"_qs);
    }

    void exportWritesTheFilteredRows()
    {
        QTemporaryDir dir;
        const QString journal = dir.filePath(u"journal.sqlite"_qs);
        HandledTelegram toVehicle =
            handled(TelegramKind::Fms, u"69999999"_qs, {}, u"C - Für Einsatz Melden"_qs, 0, 2);
        toVehicle.direction = FmsDirection::ToVehicle;
        writeJournal(journal,
                     {handled(TelegramKind::Pocsag, u"1234567"_qs, u"Zugführer"_qs,
                              u"Brand; \"Halle 3\"\nbitte melden"_qs),
                      handled(TelegramKind::FiveTone, u"12345"_qs, u"Wehr Nord"_qs, {}, 0, 1),
                      toVehicle, handled(TelegramKind::Pocsag, u"42"_qs, {}, u"Übung"_qs, 8)});
        JournalFilter filter;
        filter.kinds = {TelegramKind::Pocsag, TelegramKind::Fms};
        filter.period = JournalPeriod::LastSevenDays;
        const QString target = dir.filePath(u"export.csv"_qs);
        const JournalExportResult result =
            exportJournal(journal, filter, FixedClock().time, target);
        QCOMPARE(result.error, QString());
        QCOMPARE(result.rows, 2);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("\xEF\xBB\xBFZeit;Art;Kennung;Name;Status;Text\r\n"
                            "06.12.2026 12:34:58;FMS;69999999;Unbekannt;3 an Fahrzeug;"
                            "C - F\xC3\xBCr Einsatz Melden\r\n"
                            "06.12.2026 12:34:56;POCSAG;1234567;Zugf\xC3\xBChrer;;"
                            "\"Brand; \"\"Halle 3\"\"\nbitte melden\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestJournalText)
#include "tst_journal_text.moc"
