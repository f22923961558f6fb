// SPDX-License-Identifier: GPL-3.0-or-later
// --receive with real processes: the chain with intervals of milliseconds
// and shells as stages, and the whole ostrevo-feed with the real
// multimon-ng on audio of the project's encoders, what it sends read from
// its log.
#include "common/log_text.h"
#include "feed_records.h"
#include "feed_test_support.h"
#include "fms_gate.h"
#include "fms_signal.h"
#include "noise_audio.h"
#include "pocsag_signal.h"
#include "receive_chain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

constexpr ReceiveTimings Short{50, 200, 5000, 300, 300, 50};

DecoderRun shell(DecoderFeed feed, const QString& line)
{
    return {feed, {u"-c"_s, line}};
}

const QString PageLine = u"POCSAG1200: Address: 1000001  Function: 3  Alpha:   Ruf<NUL><NUL>"_s;

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

// A telegram's record as the log shows it.
template <typename Telegram> QString shown(const Telegram& telegram)
{
    return logText(decodeCp1252(buildRecord(telegram)));
}

} // namespace

class TestReceive : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_seen;

    QString audioFile(const QString& name, const QByteArray& audio)
    {
        return writeFile(m_dir.filePath(name), audio) ? m_dir.filePath(name) : QString();
    }

    // The lines the chain gives, into m_seen.
    void collect(ReceiveChain& chain)
    {
        m_seen.clear();
        connect(&chain, &ReceiveChain::decoderLine, this,
                [this](const LineSplitter::Line& line) { m_seen << QString::fromUtf8(line.text); });
    }

private slots:
    // A source that falls silent after a page is started again and gives
    // the page again; a decoder that ends or takes no audio is started
    // again. Stopping ends every stage.
    void stagesAreRestarted_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("decoder");
        QTest::addColumn<QString>("restarted");
        // Audio without a pause, also where the writer is slow to start.
        const QString noise = u"while true; do cat %1 || exit; done"_s.arg(
            audioFile(u"noise"_s, noiseAudio(1, 0.15, 1)));
        row("silent source",
            u"cat %1; exec sleep 30"_s.arg(
                audioFile(u"page"_s, pocsagAudio({1000001, 3, u"Ruf"_s}, PageKind::Alpha))),
            u"exec multimon-ng -t raw -a POCSAG1200 -"_s, u"Quellbefehl"_s);
        row("decoder ends", noise, u"exit 3"_s, u"/bin/sh"_s);
        row("decoder takes no audio", noise, u"exec sleep 30"_s, u"/bin/sh"_s);
    }

    void stagesAreRestarted()
    {
        QFETCH(QString, source);
        QFETCH(QString, decoder);
        QFETCH(QString, restarted);
        ReceiveChain chain({ReceiveSource::Kind::Exec, u"/bin/sh"_s, {u"-c"_s, source}, {}},
                           u"/bin/sh"_s, {shell(DecoderFeed::Straight, decoder)}, false, Short);
        collect(chain);
        QSignalSpy restarting(&chain, &ReceiveChain::restarting);
        QVERIFY(chain.start());
        QTRY_VERIFY_WITH_TIMEOUT(restarting.size() >= 2, 5000);
        QCOMPARE(restarting.first().first().toString(), restarted);
        if (restarted == u"Quellbefehl")
            QTRY_VERIFY_WITH_TIMEOUT(m_seen.count(PageLine) >= 2, 5000);
        QSignalSpy stopped(&chain, &ReceiveChain::stopped);
        chain.stop();
        QTRY_COMPARE(stopped.size(), 1);
    }

    // Each decoder reads its own audio to the end of the file, in whole
    // pairs of samples: the source's, the gate's, the gate's shifted; then
    // the chain finishes, in real time no sooner than the file lasts. A
    // line both FMS decoders give comes once.
    void decodersReadTheirAudio_data()
    {
        QTest::addColumn<bool>("realtime");
        row("as fast as decoded", false);
        row("in real time", true);
    }

    void decodersReadTheirAudio()
    {
        QFETCH(bool, realtime);
        const QByteArray audio =
            inNoise(fmsAudio({u"6EB1A144"_s, 3, FmsDirection::FromVehicle, 0, {}}), 0.5, 0.15, 1) +
            noiseAudio(0.5, 0.15, 2) + QByteArray("oddly");
        const auto writer = [&](DecoderFeed feed, const QString& name) {
            return shell(feed, u"cat > '%1'; echo FMS: %2"_s.arg(m_dir.filePath(name), name[0]));
        };
        ReceiveChain chain(
            {ReceiveSource::Kind::File, {}, {}, audioFile(u"in.raw"_s, audio)}, u"/bin/sh"_s,
            {writer(DecoderFeed::Straight, u"straight"_s), writer(DecoderFeed::FmsGate, u"gated"_s),
             writer(DecoderFeed::FmsGateShifted, u"gated, shifted"_s)},
            realtime, Short);
        collect(chain);
        QSignalSpy finished(&chain, &ReceiveChain::finished);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(chain.start());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
        QCOMPARE(clock.elapsed() >= audio.size() * 1000 / (2 * AudioRate), realtime);
        m_seen.sort();
        QCOMPARE(m_seen, (QStringList{u"FMS: g"_s, u"FMS: s"_s}));

        FmsGate gate;
        FmsGate::Audio gated = gate.take(audio);
        const FmsGate::Audio rest = gate.flush();
        const auto pairs = [](const QByteArray& bytes) { return bytes.first(bytes.size() & ~3); };
        QCOMPARE(readFile(m_dir.filePath(u"straight"_s)), pairs(audio));
        QCOMPARE(readFile(m_dir.filePath(u"gated"_s)), pairs(gated.straight + rest.straight));
        QCOMPARE(readFile(m_dir.filePath(u"gated, shifted"_s)),
                 pairs(gated.shifted + rest.shifted));
    }
    // Audio in pieces of 98 bytes, in which multimon-ng 1.2.0 loses pages
    // and telegrams, arrives through the feed, FMS behind the gate, also
    // the end of each just before the source pauses. The feed's end, by
    // SIGTERM or SIGKILL, leaves no stage behind, not even a source that
    // neither reads nor writes.
    void wholeChain_data()
    {
        QTest::addColumn<int>("signal");
        row("SIGTERM", int(SIGTERM));
        row("SIGKILL", int(SIGKILL));
    }

    void wholeChain()
    {
        QFETCH(int, signal);
        const PocsagPage alpha{1234567, 3, u"Brand Hauptstraße 5"_s};
        const PocsagPage numeric{77001, 0, u"0815"_s};
        const FmsReport fms{u"6EB1A144"_s, 3, FmsDirection::FromVehicle, 0, {}};
        const QString audio =
            audioFile(u"pieces"_s, pocsagAudio(alpha, PageKind::Alpha) +
                                       pocsagAudio(numeric, PageKind::Numeric) + fmsAudio(fms));
        QProcess feed;
        QByteArray log;
        QVERIFY(startFeed(feed,
                          {u"--receive"_s,
                           u"exec:dd bs=98 status=none if=%1; exec sleep 60"_s.arg(audio)},
                          log) != 0);
        QVERIFY(waitForLog(feed, log, "gesendet: ", 3));
        QStringList sent = sentRecords(log);
        sent.sort();
        QCOMPARE(sent, (QStringList{shown(fms), shown(numeric), shown(alpha)}));
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
                expected << shown(PocsagPage{quint32(address), 3, text});
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

QTEST_GUILESS_MAIN(TestReceive)
#include "tst_receive.moc"
