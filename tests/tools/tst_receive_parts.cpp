// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of --receive that need no process: the source and decoder
// settings, the audio on its way (file, pump, FMS gate), the FMS decoders'
// twin lines and the supervision's intervals.
#include "audio_file.h"
#include "audio_pump.h"
#include "feed_test_support.h"
#include "fms_gate.h"
#include "fms_signal.h"
#include "multimon_program.h"
#include "noise_audio.h"
#include "receive_source.h"
#include "restart_backoff.h"
#include "silence_watch.h"
#include "support/wav_bytes.h"
#include "twin_lines.h"

#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

// A WAV file's head: RIFF, the chunks before the format, the format chunk,
// the data chunk's header.
QByteArray wavHead(quint16 format, quint16 channels, quint32 rate, quint16 bits,
                   const QByteArray& before = {}, quint32 dataLength = 1000)
{
    using namespace WavBytes;
    return riff(before + chunk("fmt ", WavBytes::format(format, channels, int(rate), bits)) +
                "data" + le(dataLength, 4));
}

QByteArray sequence(qsizetype size, qsizetype from = 0)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((from + i) % 251);
    return bytes;
}

constexpr int Window = FmsGate::WindowSamples;

// Where the gate gave the input back, as first and last samples.
QList<int> openStretches(const QByteArray& in, const QByteArray& out)
{
    QList<int> stretches;
    for (qsizetype at = 0; at < in.size(); at += 2 * Window) {
        const QByteArray part = in.mid(at, 2 * Window);
        if (part.count('\0') == part.size() || out.mid(at, 2 * Window) != part)
            continue;
        if (!stretches.isEmpty() && stretches.last() + 1 == at / 2)
            stretches.last() = int((at + part.size()) / 2) - 1;
        else
            stretches << int(at / 2) << int((at + part.size()) / 2) - 1;
    }
    return stretches;
}

FmsGate::Audio& operator+=(FmsGate::Audio& audio, const FmsGate::Audio& more)
{
    audio.straight += more.straight;
    audio.shifted += more.shifted;
    return audio;
}

} // namespace

class TestReceiveParts : public QObject
{
    Q_OBJECT

private slots:
    void sources_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("command"); // program and arguments, or "refused"
        const QString rtl = u"rtl_fm -f 173255000 -M fm -s 22050"_s;
        const QString parec = u"parec --raw --format=s16le --rate=22050 --channels=1"_s;
        row("rtl", u"rtl:173.255M"_s, rtl + u" -"_s);
        row("kHz, gain, ppm", u"rtl:173255k,gain=40.2,ppm=-12"_s, rtl + u" -g 40.2 -p -12 -"_s);
        row("Hz", u"rtl:466230000"_s, u"rtl_fm -f 466230000 -M fm -s 22050 -"_s);
        row("sound card", u"audio"_s, parec);
        row("named device", u"audio:radio.monitor"_s, parec + u" --device=radio.monitor"_s);
        row("file", u"file:/tmp/a b.raw"_s, u"file /tmp/a b.raw"_s);
        row("command", u"exec:rtl_fm -f 1M - | sox x"_s, u"/bin/sh -c rtl_fm -f 1M - | sox x"_s);
        for (const char* refused :
             {"rtl:23.9M", "rtl:1.8G", "rtl:", "rtl:173,255M", "rtl:173.255M,gain=51",
              "rtl:173.255M,ppm=1001", "rtl:173.255M,squelch=3",
              "audio:", "file:", "exec: ", "alsa:hw:0"})
            row(refused, QString::fromLatin1(refused), u"refused"_s);
    }

    void sources()
    {
        QFETCH(QString, text);
        QFETCH(QString, command);
        const auto parsed = parseReceiveSource(text);
        if (const QString* refused = std::get_if<QString>(&parsed)) {
            QVERIFY(!refused->isEmpty());
            QCOMPARE(u"refused"_s, command);
            return;
        }
        const ReceiveSource& source = std::get<ReceiveSource>(parsed);
        QCOMPARE(source.kind == ReceiveSource::Kind::File
                     ? u"file "_s + source.path
                     : (QStringList{source.program} + source.arguments).join(u' '),
                 command);
    }

    // --demod: FMS to the two gated decoders, the rest to one on the
    // untouched audio.
    void demodulators_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("runs"); // empty: refused
        const QString fms = u"|gated FMSFSK|shifted FMSFSK"_s;
        row("default", QString::fromLatin1(DefaultDemodulators),
            u"ZVEI1 POCSAG512 POCSAG1200 POCSAG2400"_s + fms);
        row("any case, spaces, twice", u"pocsag1200, FMSFSK,POCSAG1200"_s, u"POCSAG1200"_s + fms);
        row("without FMS", u"ZVEI1"_s, u"ZVEI1"_s);
        row("FMS alone", u"fmsfsk"_s, fms.mid(1));
        row("unknown", u"ZVEI1,ZVEI2"_s, QString());
        row("empty", QString(), QString());
        row("empty entry", u"ZVEI1,"_s, QString());
    }

    void demodulators()
    {
        QFETCH(QString, list);
        QFETCH(QString, runs);
        const auto parsed = parseDemodulators(list);
        QCOMPARE(std::holds_alternative<QString>(parsed), runs.isEmpty());
        QStringList shown;
        for (const DecoderRun& run : decoderRuns(
                 std::get_if<QStringList>(&parsed) ? std::get<QStringList>(parsed) : QStringList(),
                 2)) {
            QCOMPARE(run.arguments.first(6).join(u' '), u"-t raw -C DE -b 2"_s);
            QCOMPARE(run.arguments.last(), u"-"_s);
            const QString feed = run.feed == DecoderFeed::FmsGate          ? u"gated "_s
                                 : run.feed == DecoderFeed::FmsGateShifted ? u"shifted "_s
                                                                           : QString();
            shown << feed + run.arguments.sliced(6).join(u' ').remove(u"-a "_s).chopped(2);
        }
        QCOMPARE(shown.join(u'|'), runs);
    }

    void decoderVersion()
    {
        QCOMPARE(multimonVersion("multimon-ng 1.2.0"), QVersionNumber(1, 2, 0));
        QCOMPARE(multimonVersion("multimon-ng 1.3.1-rc"), QVersionNumber(1, 3, 1));
        QVERIFY(!multimonVersion("  (C) 1996/1997 by Tom Sailer"));
        for (const auto& [version, loses] :
             {std::pair{QVersionNumber(1, 3), true}, std::pair{QVersionNumber(1, 3, 1), false}})
            QCOMPARE(losesSmallWrites(version), loses);
    }

    // Raw audio is read whole, a WAV file's data chunk alone.
    void audioFiles_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("audio"); // read of head + After; empty: refused
        const QByteArray after = "abcdefLIST and more";
        row("raw", QByteArray("\x01\x02", 2), QByteArray("\x01\x02", 2) + after);
        row("wav", wavHead(1, 1, 22050, 16), after);
        row("its data chunk only", wavHead(1, 1, 22050, 16, {}, 6), QByteArray("abcdef"));
        row("extensible, a list chunk first",
            wavHead(0xFFFE, 1, 22050, 16, QByteArray("LIST\x03\0\0\0abc\0", 12)), after);
        row("stereo", wavHead(1, 2, 22050, 16), QByteArray());
        row("44.1 kHz", wavHead(1, 1, 44100, 16), QByteArray());
        row("8 bit", wavHead(1, 1, 22050, 8), QByteArray());
        row("float", wavHead(3, 1, 22050, 16), QByteArray());
        row("cut in the format", wavHead(1, 1, 22050, 16).left(30), QByteArray());
        row("no data chunk", wavHead(1, 1, 22050, 16).left(36), QByteArray());
        row("chunk past the end", QByteArray("RIFF\0\0\0\0WAVEjunk\xff\xff\xff\xff", 20),
            QByteArray());
        row("riff, not wave", QByteArray("RIFF\0\0\0\0AVI ", 12), QByteArray());
    }

    void audioFiles()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, audio);
        if (audio.isEmpty()) {
            QVERIFY(std::holds_alternative<QString>(audioLayout(head)));
            return;
        }
        QTemporaryFile written;
        QVERIFY(written.open());
        written.write(head + "abcdefLIST and more");
        written.close();
        AudioFile file;
        QVERIFY(file.open(written.fileName()));
        QCOMPARE(file.read(4) + file.read(1000), audio);
        QVERIFY(file.atEnd());
    }

    // Writes of any size leave in blocks of at least MinBlock, in order,
    // whole pairs of samples; the rest only after the quiet time.
    void pumpBlocks_data()
    {
        QTest::addColumn<int>("writeSize");
        row("98 bytes", 98);
        row("odd pieces", 101);
        row("rtl_fm's pieces", 5760);
        row("large pieces", 100000);
    }

    void pumpBlocks()
    {
        QFETCH(int, writeSize);
        AudioPump pump(250);
        const QByteArray audio = sequence(303003);
        QByteArray out;
        qint64 now = 0;
        for (qsizetype at = 0; at < audio.size(); at += writeSize, now += 1) {
            QCOMPARE(
                pump.take(audio.sliced(at, std::min<qsizetype>(writeSize, audio.size() - at)), now),
                0);
            for (QByteArray block = pump.nextBlock(now); !block.isEmpty();
                 block = pump.nextBlock(now)) {
                QVERIFY2(block.size() >= AudioPump::MinBlock && block.size() <= AudioPump::MaxBlock,
                         qPrintable(QString::number(block.size())));
                QCOMPARE(block.size() % 4, 0);
                out += block;
            }
        }
        const qint64 last = now - 1;
        QCOMPARE(pump.flushDueAtMs(), last + 250);
        QCOMPARE(pump.nextBlock(last + 249), QByteArray());
        out += pump.nextBlock(last + 250);
        QCOMPARE(out, audio.left(303000));
        // The source ended: its half sample goes, the next one's samples keep in step.
        pump.dropUnfinishedSample();
        pump.take("ab", last + 300);
        QCOMPARE(pump.nextBlock(last + 550), audio.sliced(303000, 2) + "ab");
        QCOMPARE(pump.flushDueAtMs(), -1);
    }

    // A decoder that takes nothing costs at most the capacity; the newest
    // audio stays, whole pairs of samples are dropped.
    void pumpBound()
    {
        AudioPump pump(250, AudioPump::MaxBlock);
        QCOMPARE(pump.take(sequence(AudioPump::MaxBlock), 0), 0);
        QVERIFY(pump.isFull());
        const QByteArray newest = sequence(1001, 7);
        QCOMPARE(pump.take(newest, 1), 1004);
        const QByteArray block = pump.nextBlock(1);
        QCOMPARE(block.size(), AudioPump::MaxBlock - 4);
        QCOMPARE(block.first(2), sequence(2, 1004));
        QCOMPARE(block.last(1000), newest.first(1000));
        QCOMPARE(pump.take(sequence(3 * AudioPump::MaxBlock), 2), 2 * AudioPump::MaxBlock + 4);
        QCOMPARE(pump.buffered(), AudioPump::MaxBlock - 3);
    }

    // The FMS decoders hear a telegram from before its lead-in on, and
    // digital silence where no FMS tones are; the second decoder every
    // other telegram half a bit later. In pieces of any size the same.
    void fmsGate_data()
    {
        QTest::addColumn<QByteArray>("audio");
        QTest::addColumn<QList<int>>("tones"); // first and last sample of each stretch
        const QByteArray telegram = fmsAudio({u"6EB1A144"_s, 3, FmsDirection::FromVehicle, 0, {}});
        const qsizetype framing = silence(0.3).size();
        const QByteArray bits = telegram.sliced(framing, telegram.size() - 2 * framing);
        const int lead = int(framing / 2);
        const int end = lead + int(bits.size() / 2) - 1;
        const auto tone = [](double seconds, int hz) {
            return toneAudio(QList<bool>(qsizetype(seconds * Baud), true), hz, hz);
        };
        const auto noisy = [](const QByteArray& audio, quint32 seed) {
            return inNoise(audio, 0.5, 0.15, seed);
        };
        row("digital silence", silence(2), QList<int>{});
        row("noise", noiseAudio(10, 0.3, 1), QList<int>{});
        row("telegram in noise", noisy(telegram, 2), QList<int>{lead, end});
        const QByteArray first = telegram.chopped(framing); // the silence after it left out
        const int step = end + 1;
        row("telegrams 10 ms apart", noisy(first + silence(0.01) + telegram.sliced(framing), 3),
            QList<int>{lead, end + 221 + step - lead});
        row("three telegrams", noisy(first + first + telegram, 4),
            QList<int>{lead, end, lead + step, end + step, lead + 2 * step, end + 2 * step});
        row("steady 1800 Hz", noisy(silence(0.2) + tone(0.5, 1800) + silence(0.2), 5),
            QList<int>{4410, 15434});
        row("too quiet", inNoise(telegram, 0.0005, 0, 6), QList<int>{});
        row("four bits", noisy(silence(0.3) + bits.first(2 * 73) + silence(0.3), 7), QList<int>{});
        row("600 Hz, 3 kHz", noisy(tone(0.5, 600) + tone(0.5, 3000), 8), QList<int>{});
    }

    void fmsGate()
    {
        QFETCH(QByteArray, audio);
        QFETCH(QList<int>, tones);
        FmsGate whole;
        FmsGate::Audio out = whole.take(audio);
        out += whole.flush();
        QCOMPARE(out.straight.size(), audio.size());
        FmsGate pieces;
        FmsGate::Audio again;
        for (qsizetype at = 0; at < audio.size(); at += 1001) {
            again += pieces.take(audio.sliced(at, std::min<qsizetype>(1001, audio.size() - at)));
            QVERIFY(pieces.held() < 2 * Window * (FmsGate::AheadWindows + 2));
        }
        again += pieces.flush();
        QCOMPARE(again.straight, out.straight);
        QCOMPARE(again.shifted, out.shifted);

        const QList<int> open = openStretches(audio, out.straight);
        QCOMPARE(open.size(), tones.size());
        int shift = FmsGate::ShiftSamples; // fresh decoders start in step
        for (qsizetype i = 0; i + 1 < open.size(); i += 2) {
            const QString shown = QStringLiteral("%1..%2").arg(open[i]).arg(open[i + 1]);
            QVERIFY2(open[i] <= tones[i] && open[i] >= tones[i] - 2 * Window, qPrintable(shown));
            QVERIFY2(open[i + 1] >= tones[i + 1] + (FmsGate::HangWindows - 1) * Window &&
                         open[i + 1] <= tones[i + 1] + (FmsGate::HangWindows + 2) * Window,
                     qPrintable(shown));
            const qsizetype bytes = 2 * (open[i + 1] - open[i] + 1);
            QCOMPARE(out.shifted.mid(2 * (open[i] + shift), bytes),
                     out.straight.mid(2 * open[i], bytes));
            shift = FmsGate::ShiftSamples - shift;
        }
        QCOMPARE(out.shifted.size(), audio.size() + 2 * shift);
    }

    // A telegram both FMS decoders read goes out once, one sent twice twice.
    void twinLines_data()
    {
        QTest::addColumn<QString>("lines"); // decoder, position and text of each
        QTest::addColumn<QString>("passed");
        row("twins", u"0 100 A, 1 120 A, 1 900 A, 0 950 A, 0 960 B"_s, u"10101"_s);
        row("one decoder twice", u"1 100 A, 1 120 A"_s, u"11"_s);
        row("too far apart", u"0 0 A, 1 1001 A"_s, u"11"_s);
    }

    void twinLines()
    {
        QFETCH(QString, lines);
        QFETCH(QString, passed);
        TwinLines twins(1000);
        QString outcome;
        for (const QString& line : lines.split(u", "_s)) {
            const QStringList field = line.split(u' ');
            const bool admitted =
                twins.admit(field[0].toInt(), field[2].toUtf8(), field[1].toInt());
            outcome += admitted ? u'1' : u'0';
        }
        QCOMPARE(outcome, passed);
        for (int i = 0; i <= TwinLines::MaxRemembered; ++i)
            QVERIFY(twins.admit(0, QByteArray::number(i), 0));
        QVERIFY(twins.admit(1, "0", 0)); // forgotten
        QVERIFY(!twins.admit(1, QByteArray::number(TwinLines::MaxRemembered), 0));
    }

    // Restarts wait 1, 2, 4 … up to 30 s, from 1 s again after a good run;
    // silence and its end are told once.
    void intervals()
    {
        RestartBackoff backoff(1000, 30000, 60000);
        QList<qint64> waits;
        for (const qint64 ran : {500, 500, 500, 500, 500, 500, 500, 59999, 60000, 0})
            waits << backoff.nextWaitMs(ran);
        QCOMPARE(waits,
                 (QList<qint64>{1000, 2000, 4000, 8000, 16000, 30000, 30000, 30000, 1000, 2000}));
        using Change = SilenceWatch::Change;
        SilenceWatch watch(10000, 0);
        QList<Change> changes{watch.check(9999),         watch.check(10000),
                              watch.check(25000),        watch.audioArrived(25001),
                              watch.audioArrived(25002), watch.check(35001),
                              watch.check(35002)};
        QCOMPARE(changes, (QList<Change>{Change::None, Change::FellSilent, Change::None,
                                         Change::AudioReturned, Change::None, Change::None,
                                         Change::FellSilent}));
        QCOMPARE(watch.lastAudioMs(), 25002);
    }
};

QTEST_GUILESS_MAIN(TestReceiveParts)
#include "tst_receive_parts.moc"
