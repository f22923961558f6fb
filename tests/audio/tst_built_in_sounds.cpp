// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/built_in_sounds.h"
#include "support/signal_measures.h"
#include "support/sound_test_data.h"

#include <QTest>

namespace {

struct Wave
{
    std::vector<double> samples;

    explicit Wave(const Pcm& pcm)
    {
        const auto* data = reinterpret_cast<const qint16*>(pcm.samples.constData());
        for (qsizetype i = 0; i < pcm.samples.size() / 2; ++i)
            samples.push_back(data[i] / 32767.0);
    }
    double seconds() const { return double(samples.size()) / BuiltInSounds::SampleRate; }
    size_t at(double seconds) const { return size_t(seconds * BuiltInSounds::SampleRate); }
    double rms(double from, double to) const
    {
        return SignalMeasures::rms(samples, at(from), at(to));
    }
    double level(double frequency, double from, double to) const
    {
        return SignalMeasures::toneLevel(samples, at(from), at(to), frequency,
                                         BuiltInSounds::SampleRate);
    }
    double zeroCrossingsPerSecond(double from, double to) const
    {
        int crossings = 0;
        for (size_t i = at(from) + 1; i < at(to); ++i)
            crossings += (samples[i - 1] < 0) != (samples[i] < 0);
        return crossings / (to - from);
    }
};

} // namespace

class TestBuiltInSounds : public QObject
{
    Q_OBJECT

private slots:
    void loudNotClippedNoClicks_data() { addBuiltInSoundRows(); }
    void loudNotClippedNoClicks()
    {
        QFETCH(BuiltInSound, sound);
        const double seconds = std::array{4.0, 3.0, 1.6}.at(size_t(sound));
        const Pcm pcm = BuiltInSounds::synthesize(sound);
        QCOMPARE(pcm.sampleRate, BuiltInSounds::SampleRate);
        QCOMPARE(pcm.channels, 1);
        const Wave wave(pcm);
        QCOMPARE(wave.seconds(), seconds);
        double peak = 0;
        for (double sample : wave.samples)
            peak = std::max(peak, std::abs(sample));
        QVERIFY2(peak > 0.88 && peak < 0.9, qPrintable(QString::number(peak)));
        QVERIFY(wave.rms(0, 1) > 0.15); // loud over its first second
        QVERIFY(std::abs(wave.samples.front()) < 0.01);
        QVERIFY(std::abs(wave.samples.back()) < 0.01);
    }

    void gongRingsAndDecays()
    {
        const Wave gong(BuiltInSounds::synthesize(BuiltInSound::Gong));
        QVERIFY(gong.level(523.25, 0, 0.5) > 0.2);
        QVERIFY(gong.rms(3.5, 4) < gong.rms(0, 0.5) / 10);
        QVERIFY(gong.rms(3.5, 4) > 0); // still ringing, not cut
    }

    void sirenRisesAndFalls()
    {
        const Wave siren(BuiltInSounds::synthesize(BuiltInSound::Siren));
        const double start = siren.zeroCrossingsPerSecond(0, 0.3);
        const double middle = siren.zeroCrossingsPerSecond(1.35, 1.65);
        const double end = siren.zeroCrossingsPerSecond(2.7, 3);
        QVERIFY2(middle > 1.7 * start && middle > 1.7 * end,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(start).arg(middle).arg(end)));
        QVERIFY(siren.rms(1.35, 1.65) > 0.5); // as loud at the top as below
    }

    void noticeIsTwoNotes()
    {
        const Wave notice(BuiltInSounds::synthesize(BuiltInSound::Notice));
        QVERIFY(notice.level(659.26, 0, 0.35) > 4 * notice.level(523.25, 0, 0.35));
        QVERIFY(notice.level(523.25, 0.45, 0.8) > 2 * notice.level(659.26, 0.45, 0.8));
    }
};

QTEST_GUILESS_MAIN(TestBuiltInSounds)
#include "tst_built_in_sounds.moc"
