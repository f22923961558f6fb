// ostrevo-feed --receive with real processes: the real multimon-ng, audio
// from the project's encoders written by a shell or read from a file.
// What the feed sends is read from its log.
#include "common/log_text.h"
#include "feed_records.h"
#include "feed_test_support.h"
#include "fms_signal.h"
#include "noise_audio.h"
#include "pocsag_signal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

QByteArray procFile(int pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The living processes below `pid`, read from /proc.
QList<int> descendants(int pid)
{
    QList<int> found;
    for (QList<int> parents{pid}; !parents.isEmpty();) {
        const int parent = parents.takeFirst();
        for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
            const QByteArray stat = procFile(entry.toInt(), "stat");
            const QList<QByteArray> after = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
            if (after.size() > 1 && after[0] != "Z" && after[1].toInt() == parent)
                parents << found.emplace_back(entry.toInt());
        }
    }
    return found;
}

bool allGone(const QList<int>& pids)
{
    return QTest::qWaitFor([&] {
        return std::all_of(pids.cbegin(), pids.cend(), [](int pid) {
            const QByteArray stat = procFile(pid, "stat");
            return stat.isEmpty() || stat.contains(") Z ");
        });
    });
}

void endFeed(QProcess& feed)
{
    ::kill(pid_t(feed.processId()), SIGTERM);
    QVERIFY(feed.waitForFinished(10000));
    QCOMPARE(feed.exitStatus(), QProcess::NormalExit);
    QCOMPARE(feed.exitCode(), 0);
}

// A telegram's record as the log shows it.
template <typename Telegram> QString shown(const Telegram& telegram)
{
    return logText(decodeCp1252(buildRecord(telegram)));
}

QString page(int address, const QString& text)
{
    return shown(PocsagPage{quint32(address), 3, text});
}

} // namespace

class TestFeedReceive : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString audioFile(const QString& name, const QByteArray& audio)
    {
        return writeFile(m_dir.filePath(name), audio) ? m_dir.filePath(name) : QString();
    }

private slots:
    // multimon-ng 1.2.0 loses pages and telegrams whose audio comes in such
    // pieces; through the feed each arrives, with FMS behind the gate.
    void smallWrites_data()
    {
        QTest::addColumn<QString>("demodulators");
        QTest::addColumn<int>("decoders");
        QTest::addColumn<QStringList>("records");
        const QStringList pages{page(1234567, u"Brand Hauptstraße 5"_s),
                                shown(PocsagPage{77001, 0, u"0815"_s})};
        const QString fms = shown(FmsReport{u"6EB1A144"_s, 3, FmsDirection::FromVehicle, 0, {}});
        QTest::newRow("five demodulators") << QString() << 3 << pages + QStringList{fms};
        QTest::newRow("POCSAG1200 alone") << u"POCSAG1200"_s << 1 << pages;
        QTest::newRow("FMS alone") << u"FMSFSK"_s << 2 << QStringList{fms};
    }

    void smallWrites()
    {
        QFETCH(QString, demodulators);
        QFETCH(int, decoders);
        QFETCH(QStringList, records);
        const QString audio = audioFile(
            u"small"_s, pocsagAudio({1234567, 3, u"Brand Hauptstraße 5"_s}, PageKind::Alpha) +
                            pocsagAudio({77001, 0, u"0815"_s}, PageKind::Numeric) +
                            fmsAudio({u"6EB1A144"_s, 3, FmsDirection::FromVehicle, 0, {}}));
        QStringList arguments{u"--receive"_s, u"exec:dd bs=98 status=none if="_s + audio};
        if (!demodulators.isEmpty())
            arguments << u"--demod"_s << demodulators;
        QProcess feed;
        QByteArray log;
        QVERIFY(startFeed(feed, arguments, log) != 0);
        // Started again, the writer sends the same again: repeats, not sent.
        QVERIFY(waitForLog(feed, log, "Quellbefehl endete mit Code 0; Neustart in 1 s"));
        QVERIFY(waitForLog(feed, log, "nicht gesendet, eine Wiederholung", records.size()));
        QCOMPARE(sentRecords(log), records);
        QCOMPARE(log.count("starte multimon-ng"), decoders);
        endFeed(feed);
    }

    // The real rtl_fm without a stick and parec without a sound server start
    // with the feed's arguments, fail, and are tried again.
    void missingHardwareIsRetried_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("complaint");
        QTest::newRow("rtl") << u"rtl:173.255M,gain=40,ppm=-3"_s
                             << QByteArray("rtl_fm: No supported devices found.");
        QTest::newRow("sound server") << u"audio"_s << QByteArray("parec: Connection failure");
    }

    void missingHardwareIsRetried()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, complaint);
        QProcess feed;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PULSE_SERVER"_s, u"unix:/nonexistent"_s);
        feed.setProcessEnvironment(environment);
        QByteArray log;
        QVERIFY(startFeed(feed, {u"--receive"_s, source}, log) != 0);
        QVERIFY(waitForLog(feed, log, complaint));
        const QByteArray program = complaint.left(complaint.indexOf(':'));
        QVERIFY(waitForLog(feed, log, program + " endete mit Code 1; Neustart in 1 s"));
        QVERIFY(waitForLog(feed, log, program + " endete mit Code 1; Neustart in 2 s"));
        endFeed(feed);
    }

    // A decoder killed mid-run is started again and decodes the next page.
    // The feed's end, by SIGTERM or SIGKILL, leaves no stage behind, not
    // even a source that neither reads nor writes.
    void stagesEndWithTheFeed_data()
    {
        QTest::addColumn<int>("signal");
        row("SIGTERM", int(SIGTERM));
        row("SIGKILL", int(SIGKILL));
    }

    void stagesEndWithTheFeed()
    {
        QFETCH(int, signal);
        const QString trigger = m_dir.filePath(u"trigger"_s);
        QFile::remove(trigger);
        const QString source =
            u"cat %1; while [ ! -e %2 ]; do sleep 0.05; done; cat %3; exec sleep 60"_s.arg(
                audioFile(u"first"_s, pocsagAudio({1000001, 3, u"Erster"_s}, PageKind::Alpha)),
                trigger,
                audioFile(u"second"_s, pocsagAudio({1000002, 3, u"Zweiter"_s}, PageKind::Alpha)));
        QProcess feed;
        QByteArray log;
        QVERIFY(startFeed(feed, {u"--receive"_s, u"exec:"_s + source}, log) != 0);
        QVERIFY(waitForLog(feed, log, "D<TAB>Erster"));
        QList<int> pocsag;
        for (const int pid : descendants(int(feed.processId()))) {
            if (procFile(pid, "cmdline").contains("POCSAG1200"))
                pocsag << pid;
        }
        QCOMPARE(pocsag.size(), 1);
        ::kill(pocsag[0], SIGKILL);
        QVERIFY(waitForLog(feed, log, "multimon-ng endete durch ein Signal; Neustart in 1 s"));
        QVERIFY(waitForLog(feed, log, "starte multimon-ng -t", 2));
        QVERIFY(writeFile(trigger, {}));
        QVERIFY(waitForLog(feed, log, "D<TAB>Zweiter"));
        QCOMPARE(sentRecords(log),
                 (QStringList{page(1000001, u"Erster"_s), page(1000002, u"Zweiter"_s)}));

        const QList<int> chain = descendants(int(feed.processId()));
        QVERIFY(chain.size() >= 4); // the source, three decoders
        ::kill(pid_t(feed.processId()), signal);
        QVERIFY(feed.waitForFinished(10000));
        QCOMPARE(feed.exitStatus() == QProcess::NormalExit && feed.exitCode() == 0,
                 signal == SIGTERM);
        QVERIFY(allGone(chain));
    }

    // Minutes of noise, also right after real pages, through the five
    // demodulators send nothing but the real telegrams; telegrams at 0.5 of
    // full scale in noise at 0.15 all arrive.
    void noiseSendsNothing()
    {
        QByteArray audio;
        QStringList expected;
        // First, while the FMS decoders are fresh: telegrams at bit phases at
        // which either of them alone, and one decoder for all, loses one.
        const QStringList tactical{
            {}, u"mit Sondersignal"_s, u"mit Notarzt"_s, u"mit Notarzt und Sondersignal"_s};
        const int phase[] = {24, 26, 2, 16, 32, 31, 25, 19, 30, 22};
        for (int i = 0; i < 10; ++i) {
            const FmsReport report{QStringLiteral("6EB1A1%1").arg(40 + i), i + 1,
                                   i % 2 ? FmsDirection::ToVehicle : FmsDirection::FromVehicle,
                                   i % 4, tactical[i % 4]};
            audio += noiseAudio((11025 + phase[i]) / 22050.0, 0.15, 700 + i) +
                     inNoise(fmsAudio(report), 0.5, 0.15, 3 + 2 * i);
            expected << shown(report);
        }
        for (quint32 seed = 1; seed <= 6; ++seed)
            audio += noiseAudio(120, seed % 2 ? 0.15 : 0.3, seed);
        // With two bits corrected, the decoder reads pages to 1355912,
        // 496624 and 194073 out of these transmissions and the noise after them.
        for (const auto& [level, noiseSeed] : {std::pair{0.15, 6000u}, std::pair{0.3, 5800u}}) {
            for (int i = 1; i <= 10; ++i) {
                const int address = 1000000 + 7 * i;
                const QString text = QStringLiteral("Einsatz%1").arg(i);
                audio += inNoise(pocsagAudio({quint32(address), 3, text}, PageKind::Alpha), 0.5,
                                 level, quint32(2 * i)) +
                         noiseAudio(4, level, noiseSeed + quint32(i));
                expected << page(address, text);
            }
        }
        for (int i = 0; i < 10; ++i) {
            const PocsagPage numeric{quint32(300000 + 11 * i), 0, QStringLiteral("%1-112").arg(i)};
            audio += inNoise(pocsagAudio(numeric, PageKind::Numeric), 0.5, 0.15, 300 + i);
            expected << shown(numeric);
        }
        const QStringList calls{u"21E01"_s, u"21101"_s, u"12345"_s, u"12345"_s,
                                u"1E3E5"_s, u"11335"_s, u"67890"_s, u"67890"_s};
        for (qsizetype i = 0; i + 1 < calls.size(); i += 2) {
            audio += inNoise(fiveToneAudio(calls[i]), 0.5, 0.15, 500 + quint32(i));
            expected << shown(ZveiCall{calls[i + 1]});
        }
        const QString path = m_dir.filePath(u"noise.raw"_s);
        QVERIFY(writeFile(path, audio));
        QProcess feed;
        QByteArray log;
        QVERIFY(startFeed(feed, {u"--receive"_s, u"file:"_s + path, u"--repeat-window"_s, u"0"_s},
                          log) != 0);
        QVERIFY(feed.waitForFinished(60000));
        log += feed.readAllStandardError();
        QCOMPARE(feed.exitCode(), 0);
        // The decoders run apart: each one's records come in order, not all.
        QStringList sent = sentRecords(log);
        sent.sort();
        expected.sort();
        QCOMPARE(sent, expected);
    }
};

QTEST_GUILESS_MAIN(TestFeedReceive)
#include "tst_feed_receive.moc"
