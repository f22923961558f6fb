#include "journal/journal_cells.h"
#include "journal/journal_columns.h"
#include "journal/journal_reader.h"
#include "journal_test_data.h"

#include <QTemporaryDir>
#include <QTest>

class TestJournalReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock;
    QString path() const { return m_dir.filePath(QStringLiteral("journal.sqlite")); }

    static QStringList addresses(const QList<JournalRow>& rows)
    {
        QStringList result;
        for (const JournalRow& row : rows)
            result << row.address;
        return result;
    }

private slots:
    void initTestCase()
    {
        writeJournal(
            path(), {handled(TelegramKind::Fms, u"61234567"_qs, u"Rüstwagen Öhringen"_qs,
                             u"Frei auf Funk"_qs, 6),
                     handled(TelegramKind::FiveTone, u"12345"_qs, u"Wehr Großstadt"_qs, {}, 7),
                     handled(TelegramKind::Pocsag, u"1234567"_qs, {},
                             u"Brand in KÜCHE, 50% verraucht"_qs, 0, -7200),
                     handled(TelegramKind::Fms, u"69999999"_qs, {}, u"a*b Zeichen [x]"_qs),
                     handled(TelegramKind::Pocsag, u"42"_qs, u"Zugführer"_qs, u"Übung"_qs, 0, 60)});
    }

    void filters_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<JournalPeriod>("period");
        QTest::addColumn<QStringList>("expected");
        const QString all = u"FMS ZVEI POCSAG"_qs;
        const auto p = JournalPeriod::All;
        QTest::newRow("everything")
            << QString() << all << p
            << QStringList{u"42"_qs, u"69999999"_qs, u"1234567"_qs, u"12345"_qs, u"61234567"_qs};
        QTest::newRow("umlaut, other case")
            << u"ÖHRINGEN"_qs << all << p << QStringList{u"61234567"_qs};
        QTest::newRow("upper umlaut in text")
            << u"küche"_qs << all << p << QStringList{u"1234567"_qs};
        QTest::newRow("one umlaut") << u"Ö"_qs << all << p << QStringList{u"61234567"_qs};
        QTest::newRow("two letters with umlaut")
            << u"RÜ"_qs << all << p << QStringList{u"61234567"_qs};
        QTest::newRow("every word") << u"brand  küche"_qs << all << p << QStringList{u"1234567"_qs};
        QTest::newRow("control characters part words")
            << u"frei\u0000funk\tauf"_qs << all << p << QStringList{u"61234567"_qs};
        QTest::newRow("no row has both") << u"küche wehr"_qs << all << p << QStringList{};
        QTest::newRow("percent is a letter") << u"50%"_qs << all << p << QStringList{u"1234567"_qs};
        QTest::newRow("star is a letter") << u"a*b"_qs << all << p << QStringList{u"69999999"_qs};
        QTest::newRow("brackets are letters") << u"[a]"_qs << all << p << QStringList{};
        QTest::newRow("address part")
            << u"1234"_qs << all << p << QStringList{u"1234567"_qs, u"12345"_qs, u"61234567"_qs};
        QTest::newRow("FMS only") << QString() << u"FMS"_qs << p
                                  << QStringList{u"69999999"_qs, u"61234567"_qs};
        QTest::newRow("ZVEI and POCSAG") << QString() << u"ZVEI POCSAG"_qs << p
                                         << QStringList{u"42"_qs, u"1234567"_qs, u"12345"_qs};
        QTest::newRow("no kind") << QString() << QString() << p << QStringList{};
        QTest::newRow("kind and search")
            << u"1234"_qs << u"POCSAG"_qs << p << QStringList{u"1234567"_qs};
        QTest::newRow("today") << QString() << all << JournalPeriod::Today
                               << QStringList{u"42"_qs, u"69999999"_qs, u"1234567"_qs};
        QTest::newRow("seven days")
            << QString() << all << JournalPeriod::LastSevenDays
            << QStringList{u"42"_qs, u"69999999"_qs, u"1234567"_qs, u"61234567"_qs};
    }

    void filters()
    {
        QFETCH(QString, search);
        QFETCH(QString, kinds);
        QFETCH(JournalPeriod, period);
        QFETCH(QStringList, expected);
        JournalFilter filter{{}, search, period};
        for (const QString& name : kinds.split(u' ', Qt::SkipEmptyParts))
            filter.kinds << *kindFromName(name);
        JournalReader reader(path());
        QCOMPARE(addresses(reader.olderRows(filter, m_clock.now(), {}, 100)), expected);
        QCOMPARE(reader.error(), QString());
    }

    void pages()
    {
        JournalReader reader(path());
        const JournalFilter all;
        QCOMPARE(reader.newestId(), 5);
        const auto first = reader.olderRows(all, m_clock.now(), {}, 2);
        QCOMPARE(addresses(first), (QStringList{u"42"_qs, u"69999999"_qs}));
        QCOMPARE(addresses(reader.olderRows(all, m_clock.now(), first.last().id, 2)),
                 (QStringList{u"1234567"_qs, u"12345"_qs}));
        QCOMPARE(addresses(reader.newerRows(all, m_clock.now(), 2, 4, 10)),
                 (QStringList{u"1234567"_qs, u"69999999"_qs}));
        QCOMPARE(addresses(reader.newerRows(all, m_clock.now(), 2, 5, 1)),
                 (QStringList{u"1234567"_qs}));
    }

    void handEditedFile()
    {
        const QString edited = m_dir.filePath(QStringLiteral("edited.sqlite"));
        {
            SqlConnection connection(edited, SqlConnection::Access::ReadWrite);
            QSqlQuery query(connection.database());
            QVERIFY(query.exec(u"CREATE TABLE telegram (id, received_at, kind, address, name,"
                               " status, direction, text)"_qs));
            QVERIFY(query.exec(
                u"INSERT INTO telegram VALUES (1, 'gestern', 'XYZ', x'00ff', NULL, 'drei', 'up', "
                u"2.5),"
                " (2, '2026-12-06T10:00:00+01:00', 'FMS', '1', 'n', 1e300, 'to_vehicle', 't'),"
                " (3.5, '', '', '', '', 3, '', ''), ('x', '', '', '', '', 3, '', ''),"
                " (4, '', 'FMS', '', '', 99999999999, 'from_vehicle', ''),"
                " (5, '', 'FMS', '', '', -7, 'from_vehicle', '')"_qs));
        }
        JournalReader reader(edited);
        const auto rows = reader.olderRows(JournalFilter(), m_clock.now(), {}, 100);
        QCOMPARE(reader.error(), QString());
        QCOMPARE(rows.size(), 4); // rows without a whole-number id cannot be paged
        QCOMPARE(rows[0].status, -7);
        QCOMPARE(rows[1].status, std::nullopt);
        QCOMPARE(journalCells(rows[2]), (QStringList{u"06.12.2026 10:00:00"_qs, u"FMS"_qs, u"1"_qs,
                                                     u"n"_qs, QString(), u"t"_qs}));
        QCOMPARE(journalCells(rows[3]), (QStringList{u"gestern"_qs, u"XYZ"_qs, u"\u0000\ufffd"_qs,
                                                     u"Unbekannt"_qs, QString(), u"2.5"_qs}));
        JournalFilter search;
        search.search = u"küche"_qs;
        reader.olderRows(search, m_clock.now(), {}, 100);
        QVERIFY(!reader.error().isEmpty()); // no search index in this file
    }
};

QTEST_GUILESS_MAIN(TestJournalReader)
#include "tst_journal_reader.moc"
