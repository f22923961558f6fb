// The parts of --receive that need no process: the source and decoder
// settings, the pump between them, and the supervision's intervals.
#include "audio_file.h"
#include "audio_pump.h"
#include "multimon_program.h"
#include "receive_source.h"
#include "restart_backoff.h"
#include "silence_watch.h"

#include <QTemporaryFile>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

// A WAV file's head: RIFF, the format chunk, the data chunk's header.
QByteArray wavHead(quint16 format, quint16 channels, quint32 rate, quint16 bits,
                   const QByteArray& before = {}, quint32 dataLength = 1000)
{
    const auto le32 = [](quint32 value) {
        QByteArray bytes(4, '\0');
        qToLittleEndian(value, bytes.data());
        return bytes;
    };
    const auto le16 = [&](quint16 value) { return le32(value).left(2); };
    return "RIFF" + le32(0) + "WAVE" + before + "fmt " + le32(16) + le16(format) + le16(channels) +
           le32(rate) + le32(rate * 2) + le16(2) + le16(bits) + "data" + le32(dataLength);
}

QByteArray sequence(qsizetype size, qsizetype from = 0)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((from + i) % 251);
    return bytes;
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
        QTest::newRow("rtl") << u"rtl:173.255M"_s << rtl + u" -"_s;
        QTest::newRow("rtl in kHz, gain, ppm")
            << u"rtl:173255k,gain=40.2,ppm=-12"_s << rtl + u" -g 40.2 -p -12 -"_s;
        QTest::newRow("rtl in Hz")
            << u"rtl:466230000"_s << u"rtl_fm -f 466230000 -M fm -s 22050 -"_s;
        QTest::newRow("below the stick") << u"rtl:23.9M"_s << u"refused"_s;
        QTest::newRow("above the stick") << u"rtl:1.8G"_s << u"refused"_s;
        QTest::newRow("no frequency") << u"rtl:"_s << u"refused"_s;
        QTest::newRow("frequency mistyped") << u"rtl:173,255M"_s << u"refused"_s;
        QTest::newRow("gain too high") << u"rtl:173.255M,gain=51"_s << u"refused"_s;
        QTest::newRow("ppm too far") << u"rtl:173.255M,ppm=1001"_s << u"refused"_s;
        QTest::newRow("unknown setting") << u"rtl:173.255M,squelch=3"_s << u"refused"_s;
        const QString parec = u"parec --raw --format=s16le --rate=22050 --channels=1"_s;
        QTest::newRow("sound card") << u"audio"_s << parec;
        QTest::newRow("named device")
            << u"audio:radio.monitor"_s << parec + u" --device=radio.monitor"_s;
        QTest::newRow("device left out") << u"audio:"_s << u"refused"_s;
        QTest::newRow("file") << u"file:/tmp/a b.raw"_s << u"file /tmp/a b.raw"_s;
        QTest::newRow("file without path") << u"file:"_s << u"refused"_s;
        QTest::newRow("command") << u"exec:rtl_fm -f 1M - | sox x"_s
                                 << u"/bin/sh -c rtl_fm -f 1M - | sox x"_s;
        QTest::newRow("blank command") << u"exec: "_s << u"refused"_s;
        QTest::newRow("unknown kind") << u"alsa:hw:0"_s << u"refused"_s;
    }

    void sources()
    {
        QFETCH(QString, text);
        QFETCH(QString, command);
        const auto parsed = parseReceiveSource(text);
        if (command == u"refused") {
            QVERIFY(std::holds_alternative<QString>(parsed));
            QVERIFY(!std::get<QString>(parsed).isEmpty());
            return;
        }
        QVERIFY(std::holds_alternative<ReceiveSource>(parsed));
        const ReceiveSource& source = std::get<ReceiveSource>(parsed);
        const QString shown = source.kind == ReceiveSource::Kind::File
                                  ? u"file "_s + source.path
                                  : (QStringList{source.program} + source.arguments).join(u' ');
        QCOMPARE(shown, command);
    }

    void demodulators_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("chosen"); // empty: refused
        QTest::newRow("default") << QString::fromLatin1(DefaultDemodulators)
                                 << QString::fromLatin1(DefaultDemodulators);
        QTest::newRow("any case, spaces, twice")
            << u"pocsag1200, FMSFSK,POCSAG1200"_s << u"POCSAG1200,FMSFSK"_s;
        QTest::newRow("unknown") << u"ZVEI1,ZVEI2"_s << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("empty entry") << u"ZVEI1,"_s << QString();
    }

    void demodulators()
    {
        QFETCH(QString, list);
        QFETCH(QString, chosen);
        const auto parsed = parseDemodulators(list);
        if (chosen.isEmpty())
            QVERIFY(std::holds_alternative<QString>(parsed));
        else
            QCOMPARE(std::get<QStringList>(parsed).join(u','), chosen);
    }

    void decoderProgram()
    {
        const QList<DecoderRun> runs = decoderRuns({u"ZVEI1"_s, u"FMSFSK"_s}, 1);
        QCOMPARE(runs.size(), 3);
        QCOMPARE(runs[0].arguments.join(u' '), u"-t raw -C DE -b 1 -a ZVEI1 -"_s);
        QCOMPARE(multimonVersion("multimon-ng 1.2.0"), QVersionNumber(1, 2, 0));
        QCOMPARE(multimonVersion("multimon-ng 1.3.1-rc"), QVersionNumber(1, 3, 1));
        QVERIFY(!multimonVersion("  (C) 1996/1997 by Tom Sailer"));
        QVERIFY(losesSmallWrites(QVersionNumber(1, 2, 0)));
        QVERIFY(losesSmallWrites(QVersionNumber(1, 3)));
        QVERIFY(!losesSmallWrites(QVersionNumber(1, 3, 1)));
        QVERIFY(!losesSmallWrites(QVersionNumber(2, 0)));
    }

    void audioFiles_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<qint64>("offset"); // -1: refused
        QTest::newRow("raw") << QByteArray("\x01\x02\x03\x04", 4) << qint64(0);
        QTest::newRow("wav") << wavHead(1, 1, 22050, 16) << qint64(44);
        QTest::newRow("wav, extensible, a list chunk first")
            << wavHead(0xFFFE, 1, 22050, 16, QByteArray("LIST\x03\0\0\0abc\0", 12)) << qint64(56);
        QTest::newRow("stereo") << wavHead(1, 2, 22050, 16) << qint64(-1);
        QTest::newRow("44.1 kHz") << wavHead(1, 1, 44100, 16) << qint64(-1);
        QTest::newRow("8 bit") << wavHead(1, 1, 22050, 8) << qint64(-1);
        QTest::newRow("float") << wavHead(3, 1, 22050, 16) << qint64(-1);
        QTest::newRow("cut in the format") << wavHead(1, 1, 22050, 16).left(30) << qint64(-1);
        QTest::newRow("no data chunk") << wavHead(1, 1, 22050, 16).left(36) << qint64(-1);
        QTest::newRow("chunk length past the end")
            << QByteArray("RIFF\0\0\0\0WAVEjunk\xff\xff\xff\xff", 20) << qint64(-1);
        QTest::newRow("riff, not wave") << QByteArray("RIFF\0\0\0\0AVI ", 12) << qint64(-1);
    }

    void audioFiles()
    {
        QFETCH(QByteArray, head);
        QFETCH(qint64, offset);
        const auto layout = audioLayout(head);
        if (offset < 0)
            QVERIFY(std::holds_alternative<QString>(layout));
        else
            QCOMPARE(std::get<AudioLayout>(layout).offset, offset);
    }

    // A WAV file gives its data chunk, not what follows it.
    void wavFileEndsWithItsData()
    {
        QTemporaryFile wav;
        QVERIFY(wav.open());
        wav.write(wavHead(1, 1, 22050, 16, {}, 6) + "abcdef" + "LIST and more");
        wav.close();
        AudioFile file;
        QVERIFY(file.open(wav.fileName()));
        QCOMPARE(file.read(4), QByteArray("abcd"));
        QCOMPARE(file.read(1000), QByteArray("ef"));
        QVERIFY(file.atEnd());
        QVERIFY(!file.open(u"/nonexistent.wav"_s));
        QVERIFY(!file.errorString().isEmpty());
    }

    // Tiny writes leave in blocks of at least MinBlock, in order, whole
    // samples; the rest only after the quiet time.
    void pumpBlocks_data()
    {
        QTest::addColumn<int>("writeSize");
        QTest::newRow("98 bytes") << 98;
        QTest::newRow("odd pieces") << 101;
        QTest::newRow("rtl_fm's pieces") << 5760;
        QTest::newRow("large pieces") << 100000;
    }

    void pumpBlocks()
    {
        QFETCH(int, writeSize);
        AudioPump pump(250);
        const QByteArray audio = sequence(303001);
        QByteArray out;
        qint64 now = 0;
        for (qsizetype at = 0; at < audio.size(); at += writeSize, now += 1) {
            QCOMPARE(
                pump.take(audio.sliced(at, std::min<qsizetype>(writeSize, audio.size() - at)), now),
                qsizetype(0));
            for (QByteArray block = pump.nextBlock(now); !block.isEmpty();
                 block = pump.nextBlock(now)) {
                QVERIFY2(block.size() >= AudioPump::MinBlock,
                         qPrintable(QString::number(block.size())));
                QVERIFY(block.size() <= AudioPump::MaxBlock);
                QCOMPARE(block.size() % AudioPump::Unit, 0);
                out += block;
            }
        }
        QVERIFY(pump.buffered() < AudioPump::MinBlock);
        const qint64 last = now - 1;
        QCOMPARE(pump.flushDueAtMs(), last + 250);
        QCOMPARE(pump.nextBlock(last + 249), QByteArray());
        out += pump.nextBlock(last + 250);
        QCOMPARE(out, audio.left(303000)); // the odd byte is half a sample
        QCOMPARE(pump.buffered(), qsizetype(1));
        pump.dropUnfinishedSample();
        QCOMPARE(pump.flushDueAtMs(), qint64(-1));
        // The next source's samples start aligned.
        pump.take("abcdef", last + 300);
        QCOMPARE(pump.nextBlock(last + 550), QByteArray("abcd"));
    }

    // A decoder that takes nothing costs at most the capacity; the newest
    // audio stays, whole samples are dropped.
    void pumpBound()
    {
        AudioPump pump(250, AudioPump::MaxBlock);
        QCOMPARE(pump.take(sequence(AudioPump::MaxBlock), 0), qsizetype(0));
        QVERIFY(pump.isFull());
        const QByteArray newest = sequence(1001, 7);
        const qsizetype dropped = pump.take(newest, 1);
        QCOMPARE(dropped, qsizetype(1004));
        QCOMPARE(pump.buffered(), AudioPump::MaxBlock - 3);
        const QByteArray block = pump.nextBlock(1);
        QCOMPARE(block.size(), AudioPump::MaxBlock - 4);
        QCOMPARE(block.first(2), sequence(2, 1004));
        QCOMPARE(block.last(1000), newest.first(1000));
        QCOMPARE(pump.take(sequence(3 * AudioPump::MaxBlock), 2), 2 * AudioPump::MaxBlock + 4);
        QCOMPARE(pump.buffered(), AudioPump::MaxBlock - 3);
    }

    void backoff()
    {
        RestartBackoff backoff(1000, 30000, 60000);
        QList<qint64> waits;
        for (int i = 0; i < 7; ++i)
            waits << backoff.nextWaitMs(500);
        QCOMPARE(waits, (QList<qint64>{1000, 2000, 4000, 8000, 16000, 30000, 30000}));
        QCOMPARE(backoff.nextWaitMs(59999), qint64(30000));
        QCOMPARE(backoff.nextWaitMs(60000), qint64(1000)); // it had run well
        QCOMPARE(backoff.nextWaitMs(0), qint64(2000));
    }

    void silence()
    {
        using Change = SilenceWatch::Change;
        SilenceWatch watch(10000, 0);
        QCOMPARE(watch.check(9999), Change::None);
        QCOMPARE(watch.check(10000), Change::FellSilent);
        QCOMPARE(watch.check(25000), Change::None); // told once
        QCOMPARE(watch.lastAudioMs(), qint64(0));
        QCOMPARE(watch.audioArrived(25001), Change::AudioReturned);
        QCOMPARE(watch.audioArrived(25002), Change::None);
        QCOMPARE(watch.check(35001), Change::None);
        QCOMPARE(watch.check(35002), Change::FellSilent);
    }
};

QTEST_GUILESS_MAIN(TestReceiveParts)
#include "tst_receive_parts.moc"
