// The supervision of --receive in milliseconds instead of seconds: real
// processes, the real multimon-ng, intervals made short.
#include "feed_test_support.h"
#include "pocsag_signal.h"
#include "receive_chain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

constexpr ReceiveTimings Short{50, 200, 5000, 300, 300, 50};

ReceiveSource command(const QString& line)
{
    return ReceiveSource{ReceiveSource::Kind::Exec, u"/bin/sh"_s, {u"-c"_s, line}, {}};
}

const QString Page = QStringLiteral(FEED_AUDIO) + u" page:1000001:3:alpha:Ruf"_s;
const QList<DecoderRun> Decoder{
    {DecoderFeed::Straight, {u"-t"_s, u"raw"_s, u"-a"_s, u"POCSAG1200"_s, u"-"_s}}};

} // namespace

class TestReceiveChain : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Records of the decoder's output, repeats included.
    static void collect(ReceiveChain& chain, MultimonBridge& bridge, QStringList& records)
    {
        connect(&chain, &ReceiveChain::decoderLine, &bridge,
                [&bridge](const LineSplitter::Line& line) { bridge.takeLine(line, 0); });
        connect(&bridge, &MultimonBridge::recordDecoded, &bridge,
                [&records](const QByteArray& record) { records << QString::fromLatin1(record); });
    }

private slots:
    // The source gives a page, then nothing: after the silence it is
    // started again and gives the page again.
    void silentSourceIsRestarted()
    {
        ReceiveChain chain(command(Page + u"; exec sleep 30"_s), u"multimon-ng"_s, Decoder, false,
                           Short);
        MultimonBridge bridge(0);
        QStringList records;
        collect(chain, bridge, records);
        QVERIFY(chain.start());
        QTRY_VERIFY_WITH_TIMEOUT(records.size() >= 2, 5000);
        QCOMPARE(records.first(), u"POC\t1000001\tD\tRuf"_s);
    }

    // A decoder that ends, or that takes no audio, is started again; the
    // audio that waits for it stays bounded.
    void decoderIsRestarted_data()
    {
        QTest::addColumn<QString>("decoder");
        QTest::newRow("ends") << u"exit 3"_s;
        QTest::newRow("takes no audio") << u"exec sleep 30"_s;
    }

    void decoderIsRestarted()
    {
        QFETCH(QString, decoder);
        // Audio without a pause, also where the writer is slow to start.
        ReceiveChain chain(command(u"while true; do "_s + QStringLiteral(FEED_AUDIO) +
                                   u" noise:1:1 || exit; done"_s),
                           u"/bin/sh"_s, {{DecoderFeed::Straight, {u"-c"_s, decoder}}}, false,
                           Short);
        QSignalSpy ended(&chain, &ReceiveChain::restarting);
        QVERIFY(chain.start());
        QTRY_VERIFY_WITH_TIMEOUT(ended.size() >= 3, 5000);
        QSignalSpy stopped(&chain, &ReceiveChain::stopped);
        chain.stop();
        QTRY_COMPARE(stopped.size(), 1);
    }

    // A missing program or file is refused before anything starts.
    void refusedAtStart_data()
    {
        QTest::addColumn<QString>("decoder");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("named");
        QTest::newRow("decoder") << u"multimon-ng-1.2"_s << u"/dev/null"_s
                                 << u"multimon-ng-1.2 nicht gefunden"_s;
        QTest::newRow("file") << u"multimon-ng"_s << u"/nonexistent.raw"_s
                              << u"/nonexistent.raw nicht lesbar"_s;
    }

    void refusedAtStart()
    {
        QFETCH(QString, decoder);
        QFETCH(QString, path);
        QFETCH(QString, named);
        ReceiveChain chain(ReceiveSource{ReceiveSource::Kind::File, {}, {}, path}, decoder, Decoder,
                           false, Short);
        QVERIFY(!chain.start());
        QVERIFY2(chain.errorString().startsWith(named), qPrintable(chain.errorString()));
    }

    // A file is decoded to its end, then the chain finishes; in real time
    // it takes as long as it lasts.
    void fileEnds_data()
    {
        QTest::addColumn<bool>("realtime");
        QTest::newRow("as fast as decoded") << false;
        QTest::newRow("in real time") << true;
    }

    void fileEnds()
    {
        QFETCH(bool, realtime);
        QFile file(m_dir.filePath(u"page.raw"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray audio = pocsagAudio({1000001, 3, u"Ruf"_s}, PageKind::Alpha);
        file.write(audio + silence(0.3));
        file.close();
        ReceiveChain chain(ReceiveSource{ReceiveSource::Kind::File, {}, {}, file.fileName()},
                           u"multimon-ng"_s, Decoder, realtime, Short);
        MultimonBridge bridge(0);
        QStringList records;
        collect(chain, bridge, records);
        QSignalSpy finished(&chain, &ReceiveChain::finished);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(chain.start());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
        QCOMPARE(records, QStringList{u"POC\t1000001\tD\tRuf"_s});
        const qint64 lasts = (audio.size() + silence(0.3).size()) * 1000 / (2 * AudioRate);
        QCOMPARE(clock.elapsed() >= lasts, realtime);
    }
};

QTEST_GUILESS_MAIN(TestReceiveChain)
#include "tst_receive_chain.moc"
