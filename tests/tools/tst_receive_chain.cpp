// The supervision of --receive in milliseconds instead of seconds: real
// processes, the real multimon-ng or shells in its place.
#include "feed_test_support.h"
#include "fms_gate.h"
#include "fms_signal.h"
#include "noise_audio.h"
#include "pocsag_signal.h"
#include "receive_chain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

constexpr ReceiveTimings Short{50, 200, 5000, 300, 300, 50};

ReceiveSource file(const QString& path)
{
    return ReceiveSource{ReceiveSource::Kind::File, {}, {}, path};
}

DecoderRun shell(DecoderFeed feed, const QString& line)
{
    return {feed, {u"-c"_s, line}};
}

const QString PageLine = u"POCSAG1200: Address: 1000001  Function: 3  Alpha:   Ruf<NUL><NUL>"_s;

} // namespace

class TestReceiveChain : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_seen;

    // The lines the chain gives, into m_seen.
    void collect(ReceiveChain& chain)
    {
        m_seen.clear();
        connect(&chain, &ReceiveChain::decoderLine, this,
                [this](const LineSplitter::Line& line) { m_seen << QString::fromUtf8(line.text); });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(m_dir.filePath(u"page"_s),
                          pocsagAudio({1000001, 3, u"Ruf"_s}, PageKind::Alpha)));
        QVERIFY(writeFile(m_dir.filePath(u"noise"_s), noiseAudio(1, 0.15, 1)));
    }

    // A source that falls silent after a page is started again and gives
    // the page again; a decoder that ends or takes no audio is started
    // again. Stopping ends every stage.
    void stagesAreRestarted_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("decoder");
        QTest::addColumn<QString>("restarted");
        // Audio without a pause, also where the writer is slow to start.
        const QString noise =
            u"while true; do cat %1 || exit; done"_s.arg(m_dir.filePath(u"noise"_s));
        row("silent source", u"cat %1; exec sleep 30"_s.arg(m_dir.filePath(u"page"_s)),
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

    // A missing program or file is refused before anything starts.
    void refusedAtStart_data()
    {
        QTest::addColumn<QString>("decoder");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("named");
        row("decoder", u"multimon-ng-1.2"_s, u"/dev/null"_s, u"multimon-ng-1.2 nicht gefunden"_s);
        row("file", u"multimon-ng"_s, u"/nonexistent.raw"_s, u"/nonexistent.raw nicht lesbar"_s);
    }

    void refusedAtStart()
    {
        QFETCH(QString, decoder);
        QFETCH(QString, path);
        QFETCH(QString, named);
        ReceiveChain chain(file(path), decoder, {}, false, Short);
        QVERIFY(!chain.start());
        QVERIFY2(chain.errorString().startsWith(named), qPrintable(chain.errorString()));
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
        QVERIFY(writeFile(m_dir.filePath(u"in.raw"_s), audio));
        const auto writer = [&](DecoderFeed feed, const QString& name) {
            return shell(feed, u"cat > '%1'; echo FMS: %2"_s.arg(m_dir.filePath(name), name[0]));
        };
        ReceiveChain chain(file(m_dir.filePath(u"in.raw"_s)), u"/bin/sh"_s,
                           {writer(DecoderFeed::Straight, u"straight"_s),
                            writer(DecoderFeed::FmsGate, u"gated"_s),
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
};

QTEST_GUILESS_MAIN(TestReceiveChain)
#include "tst_receive_chain.moc"
