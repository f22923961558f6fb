// SPDX-License-Identifier: GPL-3.0-or-later
#include "noise_audio.h"

#include "fsk_audio.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace {

constexpr double FullScale = 32767;

QList<double> samplesOf(const QByteArray& audio)
{
    QList<double> samples(audio.size() / 2);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        qint16 value = 0;
        std::memcpy(&value, audio.constData() + 2 * i, sizeof value);
        samples[i] = value;
    }
    return samples;
}

QByteArray audioOf(const QList<double>& samples)
{
    QByteArray audio(samples.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const auto value = qint16(std::lround(std::clamp(samples[i], -FullScale, FullScale)));
        std::memcpy(audio.data() + 2 * i, &value, sizeof value);
    }
    return audio;
}

void addNoise(QList<double>& samples, double level, quint32 seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> uniform(-level * FullScale, level * FullScale);
    for (double& sample : samples)
        sample += uniform(generator);
}

} // namespace

QByteArray noiseAudio(double seconds, double level, quint32 seed)
{
    QList<double> samples(qsizetype(std::lround(seconds * AudioRate)), 0.0);
    addNoise(samples, level, seed);
    return audioOf(samples);
}

QByteArray inNoise(const QByteArray& signal, double signalLevel, double noiseLevel, quint32 seed)
{
    QList<double> samples = samplesOf(signal);
    double peak = 0;
    for (const double sample : std::as_const(samples))
        peak = std::max(peak, std::abs(sample));
    if (peak > 0) {
        for (double& sample : samples)
            sample *= signalLevel * FullScale / peak;
    }
    addNoise(samples, noiseLevel, seed);
    return audioOf(samples);
}
