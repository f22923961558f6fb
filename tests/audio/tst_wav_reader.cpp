// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/wav_reader.h"
#include "support/wav_bytes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace WavBytes;

namespace {

QList<qint16> samplesOf(const Pcm& pcm)
{
    const auto* data = reinterpret_cast<const qint16*>(pcm.samples.constData());
    return {data, data + pcm.samples.size() / 2};
}
QByteArray floats(std::initializer_list<float> values)
{
    QByteArray out;
    for (float value : values)
        out += le(std::bit_cast<quint32>(value), 4);
    return out;
}
const QByteArray Pcm16 = le(0x1234, 2) + le(0x8000, 2);
// The sub-format GUID of WAVE_FORMAT_EXTENSIBLE for integer samples.
const QByteArray PcmGuid = le(1, 4) + QByteArray::fromHex("000010008000"
                                                          "00aa00389b71");
QByteArray extensible(const QByteArray& guid)
{
    return riff(
        chunk("fmt ", format(0xfffe, 1, 8000, 16) + le(22, 2) + le(16, 2) + le(4, 4) + guid) +
        chunk("data", Pcm16));
}

} // namespace

class TestWavReader : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QList<qint16>>("samples");
        const QList<qint16> pcm16{0x1234, -32768};
        QTest::newRow("16 bit") << wav(1, 1, 8000, 16, Pcm16) << 1 << pcm16;
        QTest::newRow("8 bit, unsigned") << wav(1, 1, 8000, 8, QByteArray::fromHex("80ff00")) << 1
                                         << QList<qint16>{0, 32512, -32768};
        QTest::newRow("24 bit") << wav(1, 1, 8000, 24, QByteArray::fromHex("ff3412")) << 1
                                << QList<qint16>{0x1234};
        QTest::newRow("32 bit") << wav(1, 1, 8000, 32, QByteArray::fromHex("ffff3412")) << 1
                                << QList<qint16>{0x1234};
        QTest::newRow("float, clamped, NaN silent")
            << wav(3, 1, 8000, 32, floats({0.5f, -1.5f, std::nanf("")})) << 1
            << QList<qint16>{16384, -32767, 0};
        QTest::newRow("double") << wav(3, 1, 8000, 64, le(0, 4) + le(0xbff00000, 4)) << 1
                                << QList<qint16>{-32767};
        QTest::newRow("extensible") << extensible(PcmGuid) << 1 << pcm16;
        QTest::newRow("stereo, a cut frame dropped")
            << wav(1, 2, 8000, 16, Pcm16 + Pcm16 + "x") << 2 << pcm16 + pcm16;
        QTest::newRow("odd chunk padded, data first")
            << riff(chunk("data", Pcm16) + chunk("LIST", "abc") +
                    chunk("fmt ", format(1, 1, 8000, 16)))
            << 1 << pcm16;
        QTest::newRow("data size past the end")
            << riff(chunk("fmt ", format(1, 1, 8000, 16)) + "data" + le(0xffffffff, 4) + Pcm16) << 1
            << pcm16;
    }
    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, channels);
        QFETCH(QList<qint16>, samples);
        const WavReader::Result result = WavReader::decode(bytes);
        QCOMPARE(result.problem, QString());
        QCOMPARE(result.pcm.channels, channels);
        QCOMPARE(result.pcm.sampleRate, 8000);
        QCOMPARE(samplesOf(result.pcm), samples);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        const QByteArray good = wav(1, 1, 8000, 16, Pcm16);
        QTest::newRow("empty") << QByteArray() << u"keine WAV-Datei"_s;
        QTest::newRow("not RIFF") << "RIFX" + good.mid(4) << u"keine WAV-Datei"_s;
        QTest::newRow("no fmt") << riff(chunk("data", Pcm16)) << u"Formatangaben fehlen"_s;
        QTest::newRow("fmt short") << riff(chunk("fmt ", format(1, 1, 8000, 16).left(14)))
                                   << u"Formatangaben unvollständig"_s;
        QTest::newRow("no data") << riff(chunk("fmt ", format(1, 1, 8000, 16)))
                                 << u"keine Tondaten"_s;
        QTest::newRow("half a frame") << wav(1, 2, 8000, 16, Pcm16.left(2)) << u"keine Tondaten"_s;
        QTest::newRow("A-law") << wav(6, 1, 8000, 8, Pcm16)
                               << u"Kodierung 6 mit 8 Bit nicht unterstützt"_s;
        QTest::newRow("12 bit") << wav(1, 1, 8000, 12, Pcm16)
                                << u"Kodierung 1 mit 12 Bit nicht unterstützt"_s;
        QTest::newRow("16-bit float")
            << wav(3, 1, 8000, 16, Pcm16) << u"Kodierung 3 mit 16 Bit nicht unterstützt"_s;
        QTest::newRow("unknown GUID") << extensible(le(1, 4) + QByteArray(12, 'x'))
                                      << u"Kodierung 65534 mit 16 Bit nicht unterstützt"_s;
        QTest::newRow("0 channels")
            << wav(1, 0, 8000, 16, Pcm16) << u"0 Kanäle nicht unterstützt"_s;
        QTest::newRow("9 channels")
            << wav(1, 9, 8000, 16, Pcm16) << u"9 Kanäle nicht unterstützt"_s;
        QTest::newRow("4 kHz") << wav(1, 1, 4000, 16, Pcm16)
                               << u"Abtastrate 4000 Hz nicht unterstützt"_s;
        QByteArray block = good;
        block[32] = 4;
        QTest::newRow("block size") << block << u"Blockgröße 4 passt nicht zum Format"_s;
    }
    void refuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const WavReader::Result result = WavReader::decode(bytes);
        QCOMPARE(result.problem, problem);
        QVERIFY(result.pcm.isEmpty());
    }

    void loadsOnlyRegularFilesWithinTheLimit()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"ton.wav"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wav(1, 1, 8000, 16, Pcm16));
        file.close();
        QCOMPARE(samplesOf(WavReader::load(file.fileName()).pcm), (QList<qint16>{0x1234, -32768}));
        QVERIFY(file.resize(WavReader::MaxFileBytes + 1)); // sparse: costs no disk
        QCOMPARE(WavReader::load(file.fileName()).problem, u"größer als 32 MiB"_s);
        QCOMPARE(WavReader::load(dir.filePath(u"fehlt.wav"_s)).problem, u"nicht vorhanden"_s);
        QCOMPARE(WavReader::load(dir.path()).problem, u"keine gewöhnliche Datei"_s);
    }
};

QTEST_GUILESS_MAIN(TestWavReader)
#include "tst_wav_reader.moc"
