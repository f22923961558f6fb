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

using namespace Qt::StringLiterals;

class TestMultimonAudio : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("audio");
        QTest::addColumn<QString>("call");
        const QString text = u"Küchenbrand Hauptstraße 5, Menschen in Gefahr"_s;
        QTest::newRow("alpha") << pocsagAudio({1234567, 3, text}, PageKind::Alpha)
                               << u"POC|1234567|"_s + text;
        QTest::newRow("numeric") << pocsagAudio({77001, 0, u"0815-4711"_s}, PageKind::Numeric)
                                 << u"POC|0077001|0815-4711"_s;
        QTest::newRow("fms") << fmsAudio({u"6EB1A144"_s, 10, FmsDirection::ToVehicle, 2, {}})
                             << u"TO|6EB1A144|10|mit Notarzt"_s;
    }

    void roundTrip()
    {
        QFETCH(QByteArray, audio);
        QFETCH(QString, call);
        const QByteArray output =
            run(u"multimon-ng"_s, u"-t raw -a POCSAG1200 -a FMSFSK -"_s.split(u' '), audio);
        MultimonBridge bridge(10000);
        QCOMPARE(desksSee(bridge, output), QStringList{call});
    }

    // sox | multimon-ng > FIFO, followed by ostrevo-feed → a desk. When a
    // decoder is restarted, the line it was cut in is lost, not joined to the
    // next decoder's first line. SIGTERM ends the feed cleanly.
    void fiveToneThroughTheFeed()
    {
        const QString fifo = m_dir.filePath(u"decoder"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess feed;
        QByteArray log;
        QTcpSocket desk;
        QVERIFY(greeted(desk, startFeed(feed, {u"--multimon"_s, fifo, u"--follow"_s}, log)));
        const auto decoderLeft = [&](int times) {
            return QTest::qWaitFor([&] {
                return (log += feed.readAllStandardError())
                           .count("auf seine R\xc3\xbc"
                                  "ckkehr") == times;
            });
        };
        // The radio sends the call twice; 21101 needs the repeat tone.
        QProcess decoder;
        decoder.setStandardOutputFile(fifo);
        decoder.start(u"multimon-ng"_s, u"-t raw -a ZVEI1 -"_s.split(u' '));
        decoder.write(fiveToneAudio(u"21E01"_s) + fiveToneAudio(u"21E01"_s) +
                      fiveToneAudio(u"1E3E5"_s));
        decoder.closeWriteChannel();
        QVERIFY(decoderLeft(1));
        QFile restarted(fifo);
        int left = 1;
        for (const char* output : {"ZVEI1: 5", "4321\nZVEI1: 1E2E3\n"}) {
            QVERIFY(restarted.open(QIODevice::WriteOnly));
            restarted.write(output);
            restarted.close();
            QVERIFY(decoderLeft(++left));
        }
        QByteArray received;
        QTRY_COMPARE(received += desk.readAll(),
                     QByteArray("ZVEI\t21101\r\nZVEI\t11335\r\nZVEI\t11223\r\n"));
        ::kill(pid_t(feed.processId()), SIGTERM);
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitStatus(), QProcess::NormalExit);
        QCOMPARE(feed.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMultimonAudio)
#include "tst_multimon_audio.moc"
