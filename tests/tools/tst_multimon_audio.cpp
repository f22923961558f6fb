// Round trips through the real multimon-ng: audio made here (sox for the
// five tones, the encoders for POCSAG and FMS), decoded by it, then turned
// into records by the bridge and by the running feed.
#include "decoder_audio.h"
#include "desks_see.h"
#include "feed_process.h"
#include "fms_signal.h"
#include "pocsag_signal.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <csignal>
#include <sys/stat.h>

namespace {

void writeTo(const QString& fifo, const QByteArray& bytes)
{
    QFile file(fifo);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestMultimonAudio : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("audio");
        QTest::addColumn<QString>("call");
        const auto pocsag = [](const PocsagPage& page, PageKind kind) {
            return framed(levelAudio(pocsagBits(page, kind), 1200));
        };
        const auto fms = [](const FmsReport& report) {
            return framed(toneAudio(fmsBits(report), 1200, 1200, 1800));
        };
        QTest::newRow("alpha")
            << pocsag({1234567, 3, u"Küchenbrand Hauptstraße 5, Menschenleben in Gefahr"_qs},
                      PageKind::Alpha)
            << u"POC|1234567|Küchenbrand Hauptstraße 5, Menschenleben in Gefahr"_qs;
        QTest::newRow("numeric") << pocsag({77001, 0, u"0815-4711"_qs}, PageKind::Numeric)
                                 << u"POC|0077001|0815-4711"_qs;
        QTest::newRow("tone only")
            << pocsag({8, 2, QString()}, PageKind::Alpha) << u"POC|0000008|"_qs;
        QTest::newRow("fms from vehicle")
            << fms({u"61110144"_qs, 3, FmsDirection::FromVehicle, 2, {}})
            << u"FROM|61110144|3|mit Notarzt"_qs;
        QTest::newRow("fms to vehicle")
            << fms({u"62183101"_qs, 6, FmsDirection::ToVehicle, 0, {}}) << u"TO|62183101|6|"_qs;
        QTest::newRow("fms hex digits")
            << fms({u"6EB1A144"_qs, 10, FmsDirection::FromVehicle, 1, {}})
            << u"FROM|6EB1A144|10|mit Sondersignal"_qs;
    }

    void roundTrip()
    {
        QFETCH(QByteArray, audio);
        QFETCH(QString, call);
        const QByteArray output =
            run(u"multimon-ng"_qs,
                {u"-t"_qs, u"raw"_qs, u"-a"_qs, u"POCSAG1200"_qs, u"-a"_qs, u"FMSFSK"_qs, u"-"_qs},
                audio);
        MultimonBridge bridge(10000);
        QCOMPARE(desksSee(bridge, output), QStringList{call});
    }

    // sox → multimon-ng → ostrevo-feed → a desk; the end of input ends the feed.
    void fiveToneThroughTheFeed()
    {
        const QString fifo = m_dir.filePath(u"five-tone"_qs);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        FeedProcess feed({u"--multimon"_qs, fifo});
        QTcpSocket desk;
        QVERIFY(greeted(desk, feed.port()));

        // The radio sends the call twice; 21101 needs the repeat tone.
        QFile audio(m_dir.filePath(u"five-tone.raw"_qs));
        QVERIFY(audio.open(QIODevice::WriteOnly));
        audio.write(fiveToneAudio(u"21E01"_qs) + fiveToneAudio(u"21E01"_qs) +
                    fiveToneAudio(u"1E3E5"_qs));
        audio.close();
        QProcess decoder;
        decoder.setStandardOutputFile(fifo);
        decoder.start(u"multimon-ng"_qs,
                      {u"-t"_qs, u"raw"_qs, u"-a"_qs, u"ZVEI1"_qs, audio.fileName()});

        QVERIFY(feed.process().waitForFinished(15000));
        QCOMPARE(feed.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(feed.process().exitCode(), 0);
        QVERIFY(feed.log().contains(u"end of input"));
        QTRY_COMPARE(desk.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(desk.readAll(), QByteArray("ZVEI\t21101\r\nZVEI\t11335\r\n"));
    }

    // The decoder restarted on the FIFO: the line it was cut in is lost,
    // not joined to the next decoder's first line. SIGTERM ends cleanly.
    void followFifo()
    {
        const QString fifo = m_dir.filePath(u"follow"_qs);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        FeedProcess feed({u"--multimon"_qs, fifo, u"--follow"_qs});
        QTcpSocket desk;
        QVERIFY(greeted(desk, feed.port()));
        writeTo(fifo, "ZVEI1: 12345\nZVEI1: 5");
        QTRY_VERIFY(feed.log().contains(u"waiting for it to return"));
        writeTo(fifo, "4321\nZVEI1: 1E2E3\n");
        QByteArray received;
        QTRY_COMPARE(received += desk.readAll(), QByteArray("ZVEI\t12345\r\nZVEI\t11223\r\n"));

        ::kill(pid_t(feed.process().processId()), SIGTERM);
        QVERIFY(feed.process().waitForFinished(5000));
        QCOMPARE(feed.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(feed.process().exitCode(), 0);
    }

    // Following a file: what the decoder appends is sent, the feed stays.
    void followFile()
    {
        QFile output(m_dir.filePath(u"decoder.log"_qs));
        QVERIFY(output.open(QIODevice::WriteOnly));
        FeedProcess feed({u"--multimon"_qs, output.fileName(), u"--follow"_qs});
        QTcpSocket desk;
        QVERIFY(greeted(desk, feed.port()));
        output.write("ZVEI1: 1E2E3\n");
        output.flush();
        QByteArray received;
        QTRY_COMPARE(received += desk.readAll(), QByteArray("ZVEI\t11223\r\n"));
        QCOMPARE(feed.process().state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestMultimonAudio)
#include "tst_multimon_audio.moc"
