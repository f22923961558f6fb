// Round trips through the real multimon-ng: audio made here (sox for the
// five tones, the encoders for POCSAG and FMS) decoded by it, then turned
// into records by the bridge and by the running feed.
#include "feed_test_support.h"
#include "fms_signal.h"
#include "pocsag_signal.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <sys/stat.h>

class TestMultimonAudio : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("audio");
        QTest::addColumn<QString>("call");
        const auto pocsag = [](const PocsagPage& page, PageKind kind) -> QByteArray {
            return silence(0.3) + levelAudio(pocsagBits(page, kind), 1200) + silence(0.3);
        };
        const auto fms = [](const QString& id, int status, FmsDirection direction,
                            int info) -> QByteArray {
            const QList<bool> bits = fmsBits({id, status, direction, info, {}});
            return silence(0.3) + toneAudio(bits, 1200, 1200, 1800) + silence(0.3);
        };
        QTest::newRow("alpha") << pocsag({1234567, 3,
                                          u"Küchenbrand Hauptstraße 5, Menschen in "
                                          "Gefahr"_qs},
                                         PageKind::Alpha)
                               << u"POC|1234567|Küchenbrand Hauptstraße 5, Menschen in Gefahr"_qs;
        QTest::newRow("numeric") << pocsag({77001, 0, u"0815-4711"_qs}, PageKind::Numeric)
                                 << u"POC|0077001|0815-4711"_qs;
        QTest::newRow("fms from vehicle") << fms(u"61110144"_qs, 3, FmsDirection::FromVehicle, 2)
                                          << u"FROM|61110144|3|mit Notarzt"_qs;
        QTest::newRow("fms to vehicle")
            << fms(u"6EB1A144"_qs, 10, FmsDirection::ToVehicle, 0) << u"TO|6EB1A144|10|"_qs;
    }

    void roundTrip()
    {
        QFETCH(QByteArray, audio);
        QFETCH(QString, call);
        const QByteArray output =
            run(u"multimon-ng"_qs, u"-t raw -a POCSAG1200 -a FMSFSK -"_qs.split(u' '), audio);
        MultimonBridge bridge(10000);
        QCOMPARE(desksSee(bridge, output), QStringList{call});
    }

    // sox | multimon-ng | ostrevo-feed → a desk; the end of input ends the feed.
    void fiveToneThroughTheFeed()
    {
        QProcess feed;
        QProcess decoder;
        decoder.setStandardOutputProcess(&feed);
        QByteArray log;
        QTcpSocket desk;
        QVERIFY(greeted(desk, startFeed(feed, {u"--multimon"_qs}, log)));
        // The radio sends the call twice; 21101 needs the repeat tone.
        decoder.start(u"multimon-ng"_qs, u"-t raw -a ZVEI1 -"_qs.split(u' '));
        decoder.write(fiveToneAudio(u"21E01"_qs) + fiveToneAudio(u"21E01"_qs) +
                      fiveToneAudio(u"1E3E5"_qs));
        decoder.closeWriteChannel();
        QVERIFY(decoder.waitForFinished(15000));
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitCode(), 0);
        QVERIFY((log += feed.readAllStandardError()).contains("end of input"));
        QTRY_COMPARE(desk.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(desk.readAll(), QByteArray("ZVEI\t21101\r\nZVEI\t11335\r\n"));
    }

    // The decoder restarted on the FIFO: the line it was cut in is lost,
    // not joined to the next decoder's first line. SIGTERM ends cleanly.
    void followFifo()
    {
        const QString fifo = m_dir.filePath(u"follow"_qs);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess feed;
        QByteArray log;
        QTcpSocket desk;
        QVERIFY(greeted(desk, startFeed(feed, {u"--multimon"_qs, fifo, u"--follow"_qs}, log)));
        QFile decoder(fifo);
        QVERIFY(decoder.open(QIODevice::WriteOnly));
        decoder.write("ZVEI1: 12345\nZVEI1: 5");
        decoder.close();
        QTRY_VERIFY((log += feed.readAllStandardError()).contains("waiting for it to return"));
        QVERIFY(decoder.open(QIODevice::WriteOnly));
        decoder.write("4321\nZVEI1: 1E2E3\n");
        decoder.close();
        QByteArray received;
        QTRY_COMPARE(received += desk.readAll(), QByteArray("ZVEI\t12345\r\nZVEI\t11223\r\n"));
        ::kill(pid_t(feed.processId()), SIGTERM);
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitStatus(), QProcess::NormalExit);
        QCOMPARE(feed.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMultimonAudio)
#include "tst_multimon_audio.moc"
