// ostrevo-feed --receive with real processes: the real multimon-ng, audio
// from the project's encoders written by feed_audio or read from a file.
// What the feed sends is read from its log.
#include "common/log_text.h"
#include "feed_log.h"
#include "feed_records.h"
#include "feed_test_support.h"
#include "fms_signal.h"
#include "multimon_program.h"
#include "noise_audio.h"
#include "pocsag_signal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

const QString FeedAudio = QStringLiteral(FEED_AUDIO);

// The records the log says were sent, as it prints them.
QStringList sentRecords(const QByteArray& log)
{
    QStringList records;
    for (const QByteArray& line : log.split('\n')) {
        const qsizetype at = line.indexOf("gesendet: ");
        if (at >= 0)
            records << QString::fromUtf8(line.sliced(at + 10));
    }
    return records;
}

bool waitForLog(QProcess& feed, QByteArray& log, const QByteArray& text, int times = 1,
                int timeoutMs = 20000)
{
    return QTest::qWaitFor(
        [&] { return (log += feed.readAllStandardError()).count(text) >= times; }, timeoutMs);
}

// The processes below `pid`, read from /proc.
QList<int> descendants(int pid)
{
    QList<int> found;
    QList<int> parents{pid};
    while (!parents.isEmpty()) {
        const int parent = parents.takeFirst();
        for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
            QFile stat(u"/proc/"_s + entry + u"/stat"_s);
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray fields = stat.readAll();
            const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
            if (after.size() > 1 && after[0] != "Z" && after[1].toInt() == parent) {
                found << entry.toInt();
                parents << entry.toInt();
            }
        }
    }
    return found;
}

QString command(const QString& name)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(name));
    return comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readAll().trimmed()) : QString();
}

bool allGone(const QList<int>& pids)
{
    return QTest::qWaitFor([&] {
        for (const int pid : pids) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z "))
                return false;
        }
        return true;
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

private slots:
    // multimon-ng 1.2.0 loses these pages and the telegram when they come
    // through a pipe in such pieces; through the feed every one arrives.
    void smallWrites_data()
    {
        QTest::addColumn<int>("pieces");
        QTest::addColumn<QString>("demodulators");
        QTest::addColumn<QStringList>("records");
        const QStringList pages{page(1234567, u"Brand Hauptstraße 5"_s),
                                shown(PocsagPage{77001, 0, u"0815"_s})};
        const QString fms = shown(FmsReport{u"6EB1A144"_s, 3, FmsDirection::FromVehicle, 0, {}});
        QTest::newRow("98 bytes, five demodulators")
            << 98 << QString::fromLatin1(DefaultDemodulators) << pages + QStringList{fms};
        QTest::newRow("98 bytes, POCSAG1200 and FMSFSK")
            << 98 << u"POCSAG1200,FMSFSK"_s << pages + QStringList{fms};
        QTest::newRow("100 bytes, POCSAG1200 alone") << 100 << u"POCSAG1200"_s << pages;
    }

    void smallWrites()
    {
        QFETCH(int, pieces);
        QFETCH(QString, demodulators);
        QFETCH(QStringList, records);
        const QString writer =
            QStringLiteral("%1 --pieces %2 --gap 300 'page:1234567:3:alpha:Brand "
                           "Hauptstra~e 5' page:77001:0:numeric:0815 "
                           "fms:6EB1A144:3:from:0")
                .arg(FeedAudio)
                .arg(pieces);
        QStringList arguments{u"-t"_s, u"raw"_s, u"-C"_s, u"DE"_s};
        for (const QString& demodulator : demodulators.split(u','))
            arguments << u"-a"_s << demodulator;
        const QByteArray direct = run(u"/bin/sh"_s, {u"-c"_s, writer + u" | multimon-ng "_s +
                                                                  arguments.join(u' ') + u" -"_s});
        MultimonBridge bridge(10000);
        QVERIFY2(desksSee(bridge, direct).size() < records.size(), direct.constData());

        QProcess feed;
        QByteArray log;
        QVERIFY(startFeed(feed, {u"--receive"_s, u"exec:"_s + writer, u"--demod"_s, demodulators},
                          log) != 0);
        // Started again, the writer sends the same again: repeats, not sent.
        QVERIFY(waitForLog(feed, log, "Quellbefehl endete mit Code 0; Neustart in 1 s"));
        QVERIFY(waitForLog(feed, log, "nicht gesendet, eine Wiederholung", records.size()));
        QCOMPARE(sentRecords(log), records);
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

    // A decoder killed mid-run is started again and decodes the next page;
    // SIGTERM ends every stage, and nothing of the chain stays behind.
    void decoderRestartAndCleanEnd()
    {
        const QString trigger = m_dir.filePath(u"trigger"_s);
        const QString source =
            QStringLiteral("%1 page:1000001:3:alpha:Erster; while [ ! -e %2 ]; do sleep 0.05; "
                           "done; %1 page:1000002:3:alpha:Zweiter; sleep 60")
                .arg(FeedAudio, trigger);
        QProcess feed;
        QByteArray log;
        QVERIFY(startFeed(feed, {u"--receive"_s, u"exec:"_s + source}, log) != 0);
        QVERIFY(waitForLog(feed, log, "D<TAB>Erster"));
        QList<int> decoders;
        for (const int pid : descendants(int(feed.processId()))) {
            if (command(QString::number(pid)) == u"multimon-ng")
                decoders << pid;
        }
        QCOMPARE(decoders.size(), 3);
        ::kill(decoders[0], SIGKILL);
        QVERIFY(waitForLog(feed, log, "multimon-ng endete durch ein Signal; Neustart in 1 s"));
        QVERIFY(waitForLog(feed, log, "starte multimon-ng", 2));
        QFile(trigger).open(QIODevice::WriteOnly);
        QVERIFY(waitForLog(feed, log, "D<TAB>Zweiter"));
        QCOMPARE(sentRecords(log),
                 (QStringList{page(1000001, u"Erster"_s), page(1000002, u"Zweiter"_s)}));

        const QList<int> chain = descendants(int(feed.processId()));
        QVERIFY(chain.size() >= 3); // the shell, its sleep, the decoder
        endFeed(feed);
        QVERIFY(allGone(chain));
    }

    // A killed feed leaves no stage behind either, not even one that
    // neither reads nor writes.
    void killedFeedTakesItsStages()
    {
        QProcess feed;
        QByteArray log;
        QVERIFY(startFeed(feed, {u"--receive"_s, u"exec:exec sleep 60"_s}, log) != 0);
        QVERIFY(waitForLog(feed, log, "multimon-ng 1."));
        const QList<int> chain = descendants(int(feed.processId()));
        QVERIFY(chain.size() >= 2);
        feed.kill();
        QVERIFY(feed.waitForFinished(5000));
        QVERIFY(allGone(chain));
    }

    // Minutes of noise, also right after real pages, through the five
    // demodulators send nothing but the real telegrams; telegrams at 0.5 of
    // full scale in noise at 0.15 all arrive.
    void noiseSendsNothing()
    {
        QByteArray audio;
        for (quint32 seed = 1; seed <= 6; ++seed)
            audio += noiseAudio(120, seed % 2 ? 0.15 : 0.3, seed);
        QStringList expected;
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
        const QStringList tactical{
            {}, u"mit Sondersignal"_s, u"mit Notarzt"_s, u"mit Notarzt und Sondersignal"_s};
        for (int i = 0; i < 8; ++i) {
            const FmsReport report{QStringLiteral("6EB1A1%1").arg(40 + i), i + 1,
                                   i % 2 ? FmsDirection::ToVehicle : FmsDirection::FromVehicle,
                                   i % 4, tactical[i % 4]};
            audio += inNoise(fmsAudio(report), 0.5, 0.15, 400 + i);
            expected << shown(report);
        }
        const QStringList calls{u"21E01"_s, u"21101"_s, u"12345"_s, u"12345"_s,
                                u"1E3E5"_s, u"11335"_s, u"67890"_s, u"67890"_s};
        for (qsizetype i = 0; i + 1 < calls.size(); i += 2) {
            audio += inNoise(fiveToneAudio(calls[i]), 0.5, 0.15, 500 + quint32(i));
            expected << shown(ZveiCall{calls[i + 1]});
        }
        QFile file(m_dir.filePath(u"noise.raw"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(audio);
        file.close();

        QProcess feed;
        QByteArray log;
        QVERIFY(
            startFeed(feed,
                      {u"--receive"_s, u"file:"_s + file.fileName(), u"--repeat-window"_s, u"0"_s},
                      log) != 0);
        QVERIFY(feed.waitForFinished(60000));
        log += feed.readAllStandardError();
        QCOMPARE(feed.exitCode(), 0);
        // The decoders run apart: what each sends is in order, not all of it.
        QStringList sent = sentRecords(log);
        sent.sort();
        expected.sort();
        QCOMPARE(sent, expected);
    }
};

QTEST_GUILESS_MAIN(TestFeedReceive)
#include "tst_feed_receive.moc"
