// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

// Measures of recorded or synthesised sound, samples in [-1, 1].
namespace SignalMeasures {

inline double rms(const std::vector<double>& samples, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += samples[i] * samples[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

// The amplitude of one frequency between two samples (Goertzel).
inline double toneLevel(const std::vector<double>& samples, size_t from, size_t to,
                        double frequency, int rate)
{
    const double c = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
    double previous = 0;
    double before = 0;
    for (size_t i = from; i < to; ++i)
        before = std::exchange(previous, samples[i] + c * previous - before);
    const double power = previous * previous + before * before - c * previous * before;
    return to > from ? 2 * std::sqrt(std::max(0.0, power)) / double(to - from) : 0;
}

} // namespace SignalMeasures
