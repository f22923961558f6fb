#include "journal/journal.h"
#include "journal/journal_store.h"
#include "journal_test_data.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class TestJournal : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock;
    QString path() const { return m_dir->filePath(u"Ostrevo/journal.sqlite"_qs); }
    QStringList addresses() const { return tableRows(path(), u"address"_qs); }

    void writeFile(const QString& name, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(name).path());
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void columnValues_data()
    {
        QTest::addColumn<HandledTelegram>("telegram");
        QTest::addColumn<QString>("expected");
        HandledTelegram fms = handled(TelegramKind::Fms, u"61234567"_qs,
                                      u"Florian Musterstadt 1/44-1"_qs, u"Einsatz Übernommen"_qs);
        fms.record = u"FMS\t61234567\t3\t0\tÜ"_qs;
        QTest::newRow("FMS listed, shown")
            << fms
            << u"2026-12-06T12:34:56+01:00|FMS|61234567|Florian Musterstadt 1/44-1|3|"
               "from_vehicle|Einsatz Übernommen|1|FMS\t61234567\t3\t0\tÜ"_qs;
        HandledTelegram toVehicle = handled(TelegramKind::Fms, u"69999999"_qs, {},
                                            u"C - Für Einsatz Melden"_qs, 0, -3600 * 14);
        toVehicle.direction = FmsDirection::ToVehicle;
        toVehicle.receivedAt = toVehicle.receivedAt.toUTC();
        toVehicle.passedFilters = toVehicle.shown = false;
        QTest::newRow("FMS to an unlisted vehicle, filtered out of the bar, UTC")
            << toVehicle
            << u"2026-12-05T21:34:56+00:00|FMS|69999999||3|to_vehicle|C - Für Einsatz Melden|0|"
               "FMS 69999999"_qs;
        HandledTelegram zvei = handled(TelegramKind::FiveTone, u"12345"_qs, u"Wehr Nord"_qs, {});
        zvei.receivedAt = zvei.receivedAt.toOffsetFromUtc(-5400);
        QTest::newRow("ZVEI listed, west of UTC")
            << zvei << u"2026-12-06T10:04:56-01:30|ZVEI|12345|Wehr Nord|NULL|NULL||1|12345"_qs;
        HandledTelegram pocsag =
            handled(TelegramKind::Pocsag, u"1234567"_qs, {}, u"Brand; \"Halle\"\nZeile 2"_qs);
        pocsag.shown = false;
        QTest::newRow("POCSAG unlisted, bar switched off")
            << pocsag
            << u"2026-12-06T12:34:56+01:00|POCSAG|1234567||NULL|NULL|Brand; \"Halle\"\nZeile 2|0|"
               "1234567"_qs;
    }

    void columnValues()
    {
        QFETCH(HandledTelegram, telegram);
        QFETCH(QString, expected);
        writeJournal(path(), {telegram});
        QCOMPARE(tableRows(path(), u"received_at, kind, address, name, status, direction, text, "
                                   "shown, record"_qs),
                 QStringList{expected});
        const auto others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(path()) & (QFile::WriteOwner | others), QFile::WriteOwner);
        SqlConnection connection(path(), SqlConnection::Access::ReadOnly);
        QSqlQuery version(connection.database());
        QVERIFY(version.exec(u"PRAGMA user_version"_qs) && version.next());
        QCOMPARE(version.value(0).toInt(), 1);
        QVERIFY(version.exec(u"PRAGMA journal_mode"_qs) && version.next());
        QCOMPARE(version.value(0).toString(), u"wal"_qs);
    }

    void batchesAndFlushesOnShutDown()
    {
        auto journal = std::make_unique<Journal>(path(), m_clock, 0);
        QSignalSpy committed(journal.get(), &Journal::committed);
        QTRY_COMPARE(committed.count(), 1); // the file is opened at once
        for (const QString& address : {u"1"_qs, u"2"_qs, u"3"_qs})
            journal->append(handled(TelegramKind::FiveTone, address, {}, {}));
        QCOMPARE(addresses(), QStringList());
        QTRY_COMPARE(committed.count(), 2); // one transaction for the three
        QCOMPARE(addresses(), (QStringList{u"1"_qs, u"2"_qs, u"3"_qs}));
        journal->append(handled(TelegramKind::FiveTone, u"4"_qs, {}, {}));
        journal.reset();
        QCOMPARE(addresses().size(), 4);
    }

    void retention_data()
    {
        QTest::addColumn<int>("startDays");
        QTest::addColumn<int>("laterDays");
        QTest::addColumn<QStringList>("kept");
        const QStringList all{u"400"_qs, u"91"_qs, u"89"_qs, u"0"_qs};
        QTest::newRow("90 days") << 90 << 90 << QStringList{u"89"_qs, u"0"_qs};
        QTest::newRow("0 keeps all") << 0 << 0 << all;
        QTest::newRow("lowered at run time") << 90 << 1 << QStringList{u"0"_qs};
        QTest::newRow("negative keeps all") << -5 << -5 << all;
    }

    void retention()
    {
        QFETCH(int, startDays);
        QFETCH(int, laterDays);
        QFETCH(QStringList, kept);
        QList<HandledTelegram> rows;
        for (const int days : {400, 91, 89, 0})
            rows << handled(TelegramKind::FiveTone, QString::number(days), {}, {}, days);
        writeJournal(path(), rows);
        Journal journal(path(), m_clock, startDays);
        journal.setRetentionDays(laterDays);
        journal.flush();
        QCOMPARE(addresses(), kept);
    }

    void damagedFileIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("Telegramme\n12345\n");
        QTest::newRow("header only")
            << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\x5a');
        const QTemporaryDir scratch;
        writeJournal(scratch.filePath(u"good.sqlite"_qs),
                     {handled(TelegramKind::FiveTone, u"1"_qs, {}, {})});
        QFile good(scratch.filePath(u"good.sqlite"_qs));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray firstPage = good.read(4096);
        QTest::newRow("damaged pages") << firstPage + QByteArray(good.size() - 4096, '\x5a');
    }

    void damagedFileIsMovedAside()
    {
        QFETCH(QByteArray, content);
        writeFile(path(), content);
        writeFile(path() + u".defekt-2026-12-06"_qs, "taken");
        Journal journal(path(), m_clock, 90);
        QSignalSpy replaced(&journal, &Journal::fileReplaced);
        journal.append(handled(TelegramKind::FiveTone, u"12345"_qs, {}, {}));
        journal.flush();
        QTRY_COMPARE(replaced.count(), 1);
        QFile aside(path() + u".defekt-2026-12-06-2"_qs);
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), content);
        QCOMPARE(addresses(), QStringList{u"12345"_qs});
        QVERIFY(journal.statusMessage().contains(u"journal.sqlite.defekt-2026-12-06-2"_qs));
    }

    void unwritableFolderKeepsNewestRowsForLater()
    {
        // A file where the folder should be: unwritable for root as well.
        const QString blocker = m_dir->filePath(u"Ostrevo"_qs);
        writeFile(blocker, {});
        Journal journal(path(), m_clock, 90);
        QSignalSpy messages(&journal, &Journal::statusMessageChanged);
        for (int address = 1; address <= 2; ++address) {
            journal.append(handled(TelegramKind::Pocsag, QString::number(address), {}, {}));
            journal.flush();
        }
        QTRY_COMPARE(messages.count(), 1); // reported once
        QVERIFY(journal.statusMessage().contains(QDir::toNativeSeparators(blocker)));
        for (int address = 3; address <= JournalStore::MaxPendingRows + 2; ++address)
            journal.append(handled(TelegramKind::Pocsag, QString::number(address), {}, {}));
        journal.flush();
        QVERIFY(QFile::remove(blocker));
        journal.flush();
        const QStringList written = addresses();
        QCOMPARE(written.size(), JournalStore::MaxPendingRows);
        QCOMPARE(written.first(), u"3"_qs); // the oldest two went
        QTRY_COMPARE(journal.statusMessage(),
                     u"Journal: 2 Telegramme konnten nicht gespeichert werden."_qs);
    }

    void reopensAfterKill()
    {
        QProcess writer;
        writer.start(QStringLiteral(JOURNAL_CRASH_WRITER), {path()});
        QByteArray output;
        const auto flushed = [&] {
            output += writer.readAllStandardOutput();
            return output.trimmed().split('\n').last().toLongLong();
        };
        QTRY_VERIFY_WITH_TIMEOUT(flushed() >= 2000, 60000);
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished());
        const qint64 atLeast = flushed();

        {
            SqlConnection connection(path(), SqlConnection::Access::ReadOnly);
            QSqlQuery check(connection.database());
            QVERIFY(check.exec(u"PRAGMA integrity_check"_qs) && check.next());
            QCOMPARE(check.value(0).toString(), u"ok"_qs);
        }
        QVERIFY(addresses().size() >= atLeast);
        Journal journal(path(), m_clock, 90);
        journal.flush();
        QCOMPARE(journal.statusMessage(), QString());
        QVERIFY(!QFile::exists(path() + u".defekt-2026-12-06"_qs));
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
