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

    QTemporaryDir m_dir;
    FixedClock m_clock;
    QString path() const { return m_dir.filePath(QStringLiteral("Ostrevo/journal.sqlite")); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void columnValues_data()
    {
        QTest::addColumn<HandledTelegram>("telegram");
        QTest::addColumn<QVariantList>("expected");
        const QVariant noInt(QMetaType::fromType<int>());
        const QVariant noText(QMetaType::fromType<QString>());

        HandledTelegram fms = handled(TelegramKind::Fms, QStringLiteral("61234567"),
                                      QStringLiteral("Florian Musterstadt 1/44-1"),
                                      QStringLiteral("Einsatz Übernommen"));
        fms.record = QStringLiteral("FMS\t61234567\t3\t0\tÜ");
        QTest::newRow("FMS listed, shown")
            << fms
            << QVariantList{
                   u"2026-12-06T12:34:56+01:00"_qs,  u"FMS"_qs, u"61234567"_qs,
                   u"Florian Musterstadt 1/44-1"_qs, 3,         u"from_vehicle"_qs,
                   u"Einsatz Übernommen"_qs,         1,         u"FMS\t61234567\t3\t0\tÜ"_qs};
        HandledTelegram toVehicle =
            handled(TelegramKind::Fms, QStringLiteral("69999999"), QString(),
                    QStringLiteral("C - Für Einsatz Melden"), 0, -3600 * 14);
        toVehicle.status = 3;
        toVehicle.direction = FmsDirection::ToVehicle;
        toVehicle.passedFilters = toVehicle.shown = false;
        QTest::newRow("FMS to an unlisted vehicle, filtered out of the bar")
            << toVehicle << QVariantList{u"2026-12-05T22:34:56+01:00"_qs,
                                         u"FMS"_qs,
                                         u"69999999"_qs,
                                         QString(),
                                         3,
                                         u"to_vehicle"_qs,
                                         u"C - Für Einsatz Melden"_qs,
                                         0,
                                         u"FMS 69999999"_qs};
        HandledTelegram zvei = handled(TelegramKind::FiveTone, QStringLiteral("12345"),
                                       QStringLiteral("Wehr Nord"), QString());
        zvei.receivedAt = zvei.receivedAt.toOffsetFromUtc(-5400);
        QTest::newRow("ZVEI listed, west of UTC") << zvei
                                                  << QVariantList{u"2026-12-06T10:04:56-01:30"_qs,
                                                                  u"ZVEI"_qs,
                                                                  u"12345"_qs,
                                                                  u"Wehr Nord"_qs,
                                                                  noInt,
                                                                  noText,
                                                                  QString(),
                                                                  1,
                                                                  u"12345"_qs};
        HandledTelegram pocsag = handled(TelegramKind::Pocsag, QStringLiteral("1234567"), QString(),
                                         QStringLiteral("Brand; \"Halle\"\nZeile 2"));
        pocsag.shown = false;
        QTest::newRow("POCSAG unlisted, bar switched off")
            << pocsag
            << QVariantList{u"2026-12-06T12:34:56+01:00"_qs,
                            u"POCSAG"_qs,
                            u"1234567"_qs,
                            QString(),
                            noInt,
                            noText,
                            u"Brand; \"Halle\"\nZeile 2"_qs,
                            0,
                            u"1234567"_qs};
    }

    void columnValues()
    {
        QFETCH(HandledTelegram, telegram);
        QFETCH(QVariantList, expected);
        writeJournal(path(), {telegram});
        const auto rows =
            tableRows(path(), QStringLiteral("received_at, kind, address, name, "
                                             "status, direction, text, shown, record"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(rows[0][i].isNull(), expected[i].isNull());
            if (!expected[i].isNull())
                QCOMPARE(rows[0][i].toString(), expected[i].toString());
        }
        const auto others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(path()) & (QFile::WriteOwner | others), QFile::WriteOwner);
    }

    void batchesAndFlushesOnShutDown()
    {
        auto journal = std::make_unique<Journal>(path(), m_clock, 0);
        QSignalSpy committed(journal.get(), &Journal::committed);
        QTRY_COMPARE(committed.count(), 1); // the file is opened at once
        for (int i = 0; i < 3; ++i)
            journal->append(handled(TelegramKind::FiveTone, QString::number(10000 + i), {}, {}));
        QCOMPARE(tableRows(path(), QStringLiteral("id")).size(), 0);
        QTRY_COMPARE(committed.count(), 2);
        QCOMPARE(tableRows(path(), QStringLiteral("id")).size(), 3);
        journal->append(handled(TelegramKind::FiveTone, QStringLiteral("20000"), {}, {}));
        journal.reset();
        QCOMPARE(tableRows(path(), QStringLiteral("address")).last(), QVariantList{u"20000"_qs});
    }

    void retention_data()
    {
        QTest::addColumn<int>("startDays");
        QTest::addColumn<int>("laterDays");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("90 days") << 90 << 90 << QStringList{u"89"_qs, u"0"_qs};
        QTest::newRow("0 keeps all")
            << 0 << 0 << QStringList{u"400"_qs, u"91"_qs, u"89"_qs, u"0"_qs};
        QTest::newRow("lowered at run time") << 90 << 1 << QStringList{u"0"_qs};
        QTest::newRow("negative is 0")
            << -5 << -5 << QStringList{u"400"_qs, u"91"_qs, u"89"_qs, u"0"_qs};
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
        QStringList left;
        for (const QVariantList& row : tableRows(path(), QStringLiteral("address")))
            left << row[0].toString();
        QCOMPARE(left, kept);
    }

    void damagedFileIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("Telegramme\n12345\n", 17);
        QByteArray header("SQLite format 3\0", 16);
        QTest::newRow("damaged database") << header + QByteArray(4080, '\x5a');
    }

    void damagedFileIsMovedAside()
    {
        QFETCH(QByteArray, content);
        QDir().mkpath(QFileInfo(path()).path());
        for (const QString& name : QStringList{path(), path() + u".defekt-2026-12-06"_qs}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Journal journal(path(), m_clock, 90);
        QSignalSpy replaced(&journal, &Journal::fileReplaced);
        journal.append(handled(TelegramKind::FiveTone, QStringLiteral("12345"), {}, {}));
        journal.flush();
        QTRY_COMPARE(replaced.count(), 1);
        QFile aside(path() + u".defekt-2026-12-06-2"_qs);
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), content);
        QCOMPARE(tableRows(path(), QStringLiteral("address")), QList<QVariantList>{{u"12345"_qs}});
        QVERIFY(journal.statusMessage().contains(u"journal.sqlite.defekt-2026-12-06-2"_qs));
    }

    void unwritableFolderKeepsRowsForLater()
    {
        // A file where the folder should be: fails for root as well.
        const QString blocked = m_dir.filePath(QStringLiteral("Ostrevo"));
        QFile blocker(blocked);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Journal journal(path(), m_clock, 90);
        QSignalSpy messages(&journal, &Journal::statusMessageChanged);
        journal.append(handled(TelegramKind::Pocsag, QStringLiteral("42"), {}, {}));
        journal.flush();
        journal.append(handled(TelegramKind::Pocsag, QStringLiteral("43"), {}, {}));
        journal.flush();
        QTRY_COMPARE(messages.count(), 1);
        QVERIFY(journal.statusMessage().contains(QDir::toNativeSeparators(blocked)));

        QVERIFY(QFile::remove(blocked));
        journal.flush();
        QCOMPARE(tableRows(path(), QStringLiteral("address")),
                 (QList<QVariantList>{{u"42"_qs}, {u"43"_qs}}));
        QTRY_COMPARE(journal.statusMessage(), QString());
    }

    void schemaVersionIsKept()
    {
        writeJournal(path(), {});
        QCOMPARE(userVersion(), 1);
        {
            SqlConnection connection(path(), SqlConnection::Access::ReadWrite);
            QSqlQuery(connection.database())
                .exec(QStringLiteral("ALTER TABLE telegram ADD COLUMN later TEXT"));
            QSqlQuery(connection.database()).exec(QStringLiteral("PRAGMA user_version = 7"));
        }
        writeJournal(path(), {handled(TelegramKind::FiveTone, QStringLiteral("12345"), {}, {})});
        QCOMPARE(userVersion(), 7); // a newer program's file is not touched
        QCOMPARE(tableRows(path(), QStringLiteral("address")).size(), 1);
    }

    void reopensAfterKill()
    {
        QProcess writer;
        writer.start(QStringLiteral(JOURNAL_CRASH_WRITER), {path()});
        QVERIFY(writer.waitForStarted());
        qint64 flushed = 0;
        QTRY_VERIFY_WITH_TIMEOUT((flushed = lastNumber(writer)) >= 2000, 60000);
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished());
        flushed = std::max(flushed, lastNumber(writer));

        SqlConnection connection(path(), SqlConnection::Access::ReadWrite);
        QSqlQuery check(connection.database());
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
        check.finish();
        QVERIFY(tableRows(path(), QStringLiteral("id")).size() >= flushed);
        Journal journal(path(), m_clock, 90);
        journal.flush();
        QCOMPARE(journal.statusMessage(), QString());
    }

private:
    QByteArray m_writerOutput;
    qint64 lastNumber(QProcess& process)
    {
        m_writerOutput += process.readAllStandardOutput();
        const QList<QByteArray> lines = m_writerOutput.trimmed().split('\n');
        return lines.last().toLongLong();
    }
    int userVersion()
    {
        SqlConnection connection(path(), SqlConnection::Access::ReadOnly);
        QSqlQuery query(connection.database());
        query.exec(QStringLiteral("PRAGMA user_version"));
        return query.next() ? query.value(0).toInt() : -1;
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
