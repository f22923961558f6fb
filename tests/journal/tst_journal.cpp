// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_cells.h"
#include "journal/journal_export.h"
#include "journal/journal_reader.h"
#include "journal/journal_store.h"
#include "journal/sql_connection.h"
#include "journal_test_data.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// The first column of a query's rows, read as another program would.
QStringList sqlRows(const QString& path, const QString& sql)
{
    SqlConnection connection(path, SqlConnection::Access::ReadOnly);
    QSqlQuery query(connection.database());
    query.exec(sql);
    QStringList rows;
    while (query.next())
        rows << query.value(0).toString();
    return rows;
}

// The ids of the rows in their order, as one string: the sample's ids are 1 to 5.
QString ids(const QList<JournalRow>& rows)
{
    QString result;
    for (const JournalRow& row : rows)
        result += QString::number(row.id);
    return result;
}

void writeFile(const QString& name, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(name).path());
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

    QTemporaryDir m_sampleDir; // one journal of every kind of row, read by several tests
    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock;
    QString sample() const { return m_sampleDir.filePath(u"journal.sqlite"_s); }
    QString path() const { return m_dir->filePath(u"Ostrevo/journal.sqlite"_s); }
    QStringList addresses() const
    {
        return sqlRows(path(), u"SELECT address FROM telegram ORDER BY id"_s);
    }

private slots:
    void initTestCase()
    {
        HandledTelegram fms = handled(TelegramKind::Fms, u"61234567"_s, u"Rüstwagen Öhringen"_s,
                                      u"Frei auf Funk"_s, 6);
        fms.record = u"FMS\t61234567\t3\t0"_s;
        HandledTelegram zvei =
            handled(TelegramKind::FiveTone, u"12345"_s, u"Wehr Großstadt"_s, {}, 7);
        zvei.receivedAt = zvei.receivedAt.toOffsetFromUtc(-5400);
        HandledTelegram pocsag =
            handled(TelegramKind::Pocsag, u"1234567"_s, {},
                    u"Brand in KÜCHE; \"Halle 3\"\r\nbitte melden"_s, 0, -7200);
        pocsag.shown = false; // the bar is switched off
        HandledTelegram toVehicle =
            handled(TelegramKind::Fms, u"69999999"_s, {}, u"a*b Zeichen [x]"_s);
        toVehicle.direction = FmsDirection::ToVehicle;
        toVehicle.receivedAt = toVehicle.receivedAt.toUTC();
        toVehicle.passedFilters = toVehicle.shown = false;
        writeJournal(sample(),
                     {fms, zvei, pocsag, toVehicle,
                      handled(TelegramKind::Pocsag, u"42"_s, u"Zugführer"_s, u"Übung"_s, 0, 60)});
    }

    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void columnValues()
    {
        QCOMPARE(sqlRows(sample(), u"SELECT received_at || '|' || kind || '|' || address || '|' || "
                                   "name || '|' || ifnull(status, 'NULL') || '|' || ifnull("
                                   "direction, 'NULL') || '|' || text || '|' || shown || '|' || "
                                   "record FROM telegram ORDER BY id"_s),
                 (QStringList{u"2026-11-30T12:34:56+01:00|FMS|61234567|Rüstwagen Öhringen|3|"
                              "from_vehicle|Frei auf Funk|1|FMS\t61234567\t3\t0"_s,
                              u"2026-11-29T10:04:56-01:30|ZVEI|12345|Wehr Großstadt|NULL|NULL||1|"
                              "12345"_s,
                              u"2026-12-06T10:34:56+01:00|POCSAG|1234567||NULL|NULL|Brand in "
                              "KÜCHE; \"Halle 3\"\r\nbitte melden|0|1234567"_s,
                              u"2026-12-06T11:34:56+00:00|FMS|69999999||3|to_vehicle|"
                              "a*b Zeichen [x]|0|69999999"_s,
                              u"2026-12-06T12:35:56+01:00|POCSAG|42|Zugführer|NULL|NULL|Übung|1|"
                              "42"_s}));
        // Other programs read the file while we write; telegrams are the owner's business.
        QCOMPARE(sqlRows(sample(), u"SELECT user_version || journal_mode FROM "
                                   "pragma_user_version, pragma_journal_mode"_s),
                 QStringList{u"2wal"_s});
        const auto others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(sample()) & (QFile::WriteOwner | others), QFile::WriteOwner);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QList<TelegramKind>>("kinds");
        QTest::addColumn<JournalPeriod>("period");
        QTest::addColumn<QString>("expected");
        const auto all = allTelegramKinds();
        const auto p = JournalPeriod::All;
        QTest::newRow("everything, newest first") << QString() << all << p << u"54321"_s;
        QTest::newRow("umlaut in the name, other case") << u"ÖHRINGEN"_s << all << p << u"1"_s;
        QTest::newRow("upper-case umlaut in the text") << u"küche"_s << all << p << u"3"_s;
        QTest::newRow("two letters with umlaut") << u"RÜ"_s << all << p << u"1"_s;
        QTest::newRow("control characters part words")
            << u"frei\u0000funk\tauf"_s << all << p << u"1"_s;
        QTest::newRow("every word, not any") << u"küche  wehr"_s << all << p << QString();
        QTest::newRow("star is a letter") << u"*"_s << all << p << u"4"_s;
        QTest::newRow("brackets are letters") << u"[a]"_s << all << p << QString();
        QTest::newRow("address part") << u"1234"_s << all << p << u"321"_s;
        QTest::newRow("ZVEI and POCSAG")
            << QString() << QList{TelegramKind::FiveTone, TelegramKind::Pocsag} << p << u"532"_s;
        QTest::newRow("today") << QString() << all << JournalPeriod::Today << u"543"_s;
        QTest::newRow("seven days")
            << QString() << all << JournalPeriod::LastSevenDays << u"5431"_s;
    }

    void filters()
    {
        QFETCH(QString, search);
        QFETCH(QList<TelegramKind>, kinds);
        QFETCH(JournalPeriod, period);
        QFETCH(QString, expected);
        JournalReader reader(sample());
        QCOMPARE(ids(reader.olderRows({kinds, search, period}, m_clock.now(), {}, 100)), expected);
        QCOMPARE(reader.error(), QString());
    }

    void alarmsAndTheirAcknowledgement()
    {
        // A file of before the alarms keeps its rows; alarms raised since the
        // program started get the time they were acknowledged, the others not.
        QVERIFY(QDir().mkpath(QFileInfo(path()).path()));
        {
            SqlConnection connection(path(), SqlConnection::Access::ReadWrite);
            QSqlQuery query(connection.database());
            QVERIFY(
                query.exec(u"CREATE TABLE telegram (id INTEGER PRIMARY KEY, received_at TEXT "
                           "NOT NULL, kind TEXT NOT NULL, address TEXT NOT NULL DEFAULT '', name "
                           "TEXT NOT NULL DEFAULT '', status INTEGER, direction TEXT, text TEXT "
                           "NOT NULL DEFAULT '', shown INTEGER NOT NULL DEFAULT 0, record TEXT "
                           "NOT NULL DEFAULT '', search_key TEXT NOT NULL DEFAULT '')"_s));
            QVERIFY(query.exec(u"INSERT INTO telegram (received_at, kind, address) VALUES "
                               "('2026-12-05T10:00:00+01:00', 'ZVEI', 'alt')"_s));
            QVERIFY(query.exec(u"PRAGMA user_version = 1"_s));
        }
        JournalReader reader(path());
        QCOMPARE(reader.olderRows({}, m_clock.now(), {}, 10).size(), 1); // read before the upgrade
        const QDateTime start = m_clock.now().addSecs(-60);
        Journal journal(path(), m_clock, 0);
        HandledTelegram before = handled(TelegramKind::FiveTone, u"vorher"_s, {}, {}, 0, -120);
        before.alarm = u"Alt"_s;
        HandledTelegram alarm = handled(TelegramKind::FiveTone, u"21101"_s);
        alarm.alarm = u"Probealarm: Vollalarm"_s;
        for (const HandledTelegram& telegram :
             {before, alarm, handled(TelegramKind::FiveTone, u"still"_s)})
            journal.append(telegram);
        journal.acknowledgeAlarms(start, m_clock.now().addSecs(5));
        // An alarm after the acknowledgement, still waiting with the others.
        HandledTelegram later = handled(TelegramKind::FiveTone, u"später"_s, {}, {}, 0, 10);
        later.alarm = u"Vollalarm"_s;
        journal.append(later);
        journal.flush();
        const QString rowsSql = u"SELECT address || '|' || ifnull(alarm, '-') || '|' || "
                                "ifnull(acknowledged_at, '-') FROM telegram ORDER BY id"_s;
        QCOMPARE(sqlRows(path(), rowsSql),
                 (QStringList{u"alt|-|-"_s, u"vorher|Alt|-"_s,
                              u"21101|Probealarm: Vollalarm|2026-12-06T12:35:01+01:00"_s,
                              u"still|-|-"_s, u"später|Vollalarm|-"_s}));
        journal.acknowledgeAlarms(start, m_clock.now().addSecs(20));
        journal.flush();
        QCOMPARE(sqlRows(path(), rowsSql).last(), u"später|Vollalarm|2026-12-06T12:35:16+01:00"_s);
        JournalFilter alarmsOnly;
        alarmsOnly.alarmsOnly = true;
        const QList<JournalRow> rows = reader.olderRows(alarmsOnly, m_clock.now(), {}, 10);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(journalCell(rows[1], JournalColumn::Alarm),
                 u"Probealarm: Vollalarm (quittiert 12:35:01)"_s);
        QCOMPARE(journalCell(rows[2], JournalColumn::Alarm), u"Alt (offen)"_s);
    }

    void pages()
    {
        JournalReader reader(sample());
        QCOMPARE(reader.newestId(), 5);
        QCOMPARE(ids(reader.olderRows({}, m_clock.now(), 4, 2)), u"32"_s);
        QCOMPARE(ids(reader.newerRows({}, m_clock.now(), 2, 4, 10)), u"34"_s);
        QCOMPARE(ids(reader.newerRows({}, m_clock.now(), 2, 5, 1)), u"3"_s);
    }

    void exportWritesTheFilteredRows()
    {
        const QString target = m_dir->filePath(u"export.csv"_s);
        const JournalExportResult result = exportJournal(
            sample(), {{TelegramKind::Pocsag, TelegramKind::Fms}, {}, JournalPeriod::Today},
            m_clock.now(), target);
        QCOMPARE(result.error, QString());
        QCOMPARE(result.rows, 3);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QString(u"\ufeffZeit;Art;Kennung;Name;Status;Text;Alarm\r\n"
                                         "06.12.2026 12:35:56;POCSAG;42;Zugführer;;Übung;\r\n"
                                         "06.12.2026 11:34:56;FMS;69999999;Unbekannt;"
                                         "3 an Fahrzeug;a*b Zeichen [x];\r\n"
                                         "06.12.2026 10:34:56;POCSAG;1234567;Unbekannt;;\"Brand "
                                         "in KÜCHE; \"\"Halle 3\"\"\r\nbitte melden\";\r\n"_s)
                                     .toUtf8());
    }

    void handEditedFile()
    {
        const QString edited = m_dir->filePath(u"edited.sqlite"_s);
        {
            SqlConnection connection(edited, SqlConnection::Access::ReadWrite);
            QSqlQuery query(connection.database());
            QVERIFY(query.exec(u"CREATE TABLE telegram (id, received_at, kind, address, name,"
                               " status, direction, text)"_s));
            QVERIFY(query.exec(
                u"INSERT INTO telegram VALUES (1, 'gestern', 'XYZ', x'00ff', NULL, 'drei', 'up',"
                " 2.5), (2, '2026-12-06T10:00:00+01:00', 'FMS', '1', 'n', 1e300, 'to_vehicle',"
                " 't'), (3.5, '', '', '', '', 3, '', ''), ('x', '', '', '', '', 3, '', ''),"
                " (4, '', 'FMS', '', '', 99999999999, 'from_vehicle', ''),"
                " (5, '', 'FMS', '', '', -7, 'from_vehicle', '')"_s));
        }
        JournalReader reader(edited);
        const auto rows = reader.olderRows({}, m_clock.now(), {}, 100);
        QCOMPARE(reader.error(), QString());
        QStringList statuses; // of the rows with a whole-number id: the others cannot be paged
        for (const JournalRow& row : rows)
            statuses << journalCell(row, JournalColumn::Status);
        QCOMPARE(statuses, (QStringList{u"-7"_s, {}, {}, {}}));
        QCOMPARE(journalCells(rows[3]),
                 (QStringList{u"gestern"_s, u"XYZ"_s, u"\u0000\ufffd"_s, u"Unbekannt"_s, QString(),
                              u"2.5"_s, QString()}));
        reader.olderRows({allTelegramKinds(), u"küche"_s}, m_clock.now(), {}, 100);
        QVERIFY(!reader.error().isEmpty()); // no search index in this file
    }

    void batchesAndFlushesOnShutDown()
    {
        auto journal = std::make_unique<Journal>(path(), m_clock, 0);
        QSignalSpy committed(journal.get(), &Journal::committed);
        QTRY_COMPARE(committed.count(), 1); // the file is opened at once
        for (const QString& address : {u"1"_s, u"2"_s, u"3"_s})
            journal->append(handled(TelegramKind::FiveTone, address));
        QCOMPARE(addresses(), QStringList());
        QTRY_COMPARE(committed.count(), 2); // one transaction for the three
        QCOMPARE(addresses(), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        journal->append(handled(TelegramKind::FiveTone, u"4"_s));
        journal.reset();
        QCOMPARE(addresses().size(), 4);
    }

    void retention()
    {
        QList<HandledTelegram> rows;
        for (const int days : {400, 91, 89, 0})
            rows << handled(TelegramKind::FiveTone, QString::number(days), {}, {}, days);
        writeJournal(path(), rows);
        for (const int days : {-5, 0}) // keep everything
            Journal(path(), m_clock, days).flush();
        QCOMPARE(addresses().size(), 4);
        Journal(path(), m_clock, 90).flush();
        QCOMPARE(addresses(), (QStringList{u"89"_s, u"0"_s}));
        Journal(path(), m_clock, 1).flush();
        QCOMPARE(addresses(), QStringList{u"0"_s});
    }

    void damagedFileIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("Telegramme\n12345\n");
        const QTemporaryDir scratch;
        const QString name = scratch.filePath(u"good.sqlite"_s);
        writeJournal(name, QList<HandledTelegram>(2000, handled(TelegramKind::Pocsag, u"1"_s)));
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray good = file.readAll();
        QTest::newRow("schema damaged") << good.left(100) + QByteArray(good.size() - 100, '\x5a');
        // Writes touch only the newest pages: this shows only when looked for.
        QTest::newRow("a page further in damaged")
            << QByteArray(good).replace(good.size() / 8192 * 4096, 4096, QByteArray(4096, '\x5a'));
    }

    void damagedFileIsMovedAside()
    {
        QFETCH(QByteArray, content);
        writeFile(path(), content);
        writeFile(path() + u".defekt-2026-12-06"_s, "taken");
        Journal journal(path(), m_clock, 90);
        QSignalSpy replaced(&journal, &Journal::fileReplaced);
        journal.append(handled(TelegramKind::FiveTone, u"12345"_s));
        journal.flush();
        QTRY_COMPARE(replaced.count(), 1);
        QFile aside(path() + u".defekt-2026-12-06-2"_s);
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), content);
        QCOMPARE(addresses(), QStringList{u"12345"_s});
        QVERIFY(journal.statusMessage().contains(u"journal.sqlite.defekt-2026-12-06-2"_s));
    }

    void unwritableFolderKeepsNewestRowsForLater()
    {
        // A file where the folder should be: unwritable for root as well.
        const QString blocker = m_dir->filePath(u"Ostrevo"_s);
        writeFile(blocker, {});
        Journal journal(path(), m_clock, 90);
        QSignalSpy messages(&journal, &Journal::statusMessageChanged);
        for (int address = 1; address <= 2; ++address) {
            journal.append(handled(TelegramKind::Pocsag, QString::number(address)));
            journal.flush();
        }
        QTRY_COMPARE(messages.count(), 1); // reported once
        QVERIFY(journal.statusMessage().contains(QDir::toNativeSeparators(blocker)));
        for (int address = 3; address <= JournalStore::MaxPendingRows + 2; ++address)
            journal.append(handled(TelegramKind::Pocsag, QString::number(address)));
        journal.flush();
        QVERIFY(QFile::remove(blocker));
        journal.flush();
        const QStringList written = addresses();
        QCOMPARE(written.size(), JournalStore::MaxPendingRows);
        QCOMPARE(written.first(), u"3"_s); // the oldest two went
        QTRY_COMPARE(journal.statusMessage(),
                     u"Journal: 2 Telegramme konnten nicht gespeichert werden."_s);
    }

    void retryAndPurgeTimers()
    {
        // Without flushes: the writer retries on its own after a fault, and
        // old rows go while the program runs, not only at its start.
        const QString blocker = m_dir->filePath(u"Ostrevo"_s);
        writeFile(blocker, {});
        // The purge waits long enough for the old row to be seen first, even
        // on a busy machine.
        const JournalTimings quick{std::chrono::milliseconds(10), std::chrono::milliseconds(100),
                                   std::chrono::milliseconds(1500)};
        Journal journal(path(), m_clock, 1, quick);
        journal.append(handled(TelegramKind::Pocsag, u"1"_s));
        QTRY_VERIFY(!journal.statusMessage().isEmpty());
        QVERIFY(QFile::remove(blocker));
        QTRY_COMPARE(addresses(), QStringList{u"1"_s});
        QTRY_COMPARE(journal.statusMessage(), QString()); // reported from the writer's thread
        journal.append(handled(TelegramKind::Pocsag, u"2"_s, {}, {}, 2)); // two days old
        QTRY_COMPARE(addresses(), (QStringList{u"1"_s, u"2"_s}));
        QTRY_COMPARE(addresses(), QStringList{u"1"_s});
    }

    void memoryIsReleasedAfterTheWaitingRowsAreCommitted_data()
    {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("file writable") << false;
        QTest::newRow("folder blocked at first") << true;
    }

    void memoryIsReleasedAfterTheWaitingRowsAreCommitted()
    {
        QFETCH(bool, blocked);
        const QString blocker = m_dir->filePath(u"Ostrevo"_s);
        if (blocked)
            writeFile(blocker, {});
        JournalStore store(path(), std::chrono::seconds(10));
        QSignalSpy faults(&store, &JournalStore::faultChanged);
        QList<qsizetype> rowsAtRelease;
        connect(&store, &JournalStore::memoryReleased, this,
                [&] { rowsAtRelease << addresses().size(); });
        store.write(
            {handled(TelegramKind::FiveTone, u"1"_s), handled(TelegramKind::FiveTone, u"2"_s)},
            m_clock.now());
        store.releaseMemory();
        QCOMPARE(rowsAtRelease, QList<qsizetype>()); // the rows wait for their commit
        if (blocked) {
            QTRY_COMPARE(faults.count(), 1);
            QCOMPARE(rowsAtRelease, QList<qsizetype>()); // and for the retry
            QVERIFY(QFile::remove(blocker));
            store.commitNow(m_clock.now());
        }
        QTRY_COMPARE(rowsAtRelease, QList<qsizetype>{2});
        store.releaseMemory(); // nothing waits: at once
        QCOMPARE(rowsAtRelease, (QList<qsizetype>{2, 2}));
    }

    void memoryGoesBackOnceABurstIsOver()
    {
        Journal journal(path(), m_clock, 0);
        QSignalSpy released(&journal, &Journal::memoryReleased);
        // A flush hands over as the commit timer does; a second one finds the
        // queue empty, as the timer does once a burst is over.
        const auto quietAfter = [&](qsizetype rows) {
            for (qsizetype i = 0; i < rows; ++i)
                journal.append(handled(TelegramKind::Pocsag, QString::number(i)));
            journal.flush();
            journal.flush();
            QCoreApplication::processEvents(); // what the writer sent before flush() returned
        };
        for (int i = 0; i < 3; ++i)
            quietAfter(1);
        QCOMPARE(released.count(), 0); // telegrams now and then are no burst
        quietAfter(Journal::ReleaseAfterRows - 3);
        QCOMPARE(released.count(), 1);
        for (int i = 0; i < 3; ++i)
            quietAfter(1);
        QCOMPARE(released.count(), 1); // counted afresh after the release
        // Without flushes, the commit timer sees the burst end.
        for (qsizetype i = 0; i < Journal::ReleaseAfterRows; ++i)
            journal.append(handled(TelegramKind::Pocsag, u"2"_s));
        QTRY_COMPARE(released.count(), 2);
        QCOMPARE(addresses().size(), 3 + 2 * Journal::ReleaseAfterRows);
    }

    void reopensAfterKill()
    {
        QProcess writer; // commits every 10 000 telegrams
        writer.start(QStringLiteral(MAKE_JOURNAL), {path(), u"100000000"_s, u"1"_s});
        const auto rowCount = [this] {
            return sqlRows(path(), u"SELECT count(*) FROM telegram"_s).value(0).toLongLong();
        };
        qint64 committed = 0;
        QTRY_VERIFY_WITH_TIMEOUT((committed = rowCount()) >= 20000, 60000);
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished());
        QCOMPARE(sqlRows(path(), u"PRAGMA integrity_check"_s), QStringList{u"ok"_s});
        QVERIFY(rowCount() >= committed);
        Journal journal(path(), m_clock, 0);
        journal.flush();
        QCOMPARE(journal.statusMessage(), QString());
        QVERIFY(!QFile::exists(path() + u".defekt-2026-12-06"_s));
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
