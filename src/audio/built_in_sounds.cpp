// SPDX-License-Identifier: GPL-3.0-or-later
#include "built_in_sounds.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace BuiltInSounds {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

struct Partial
{
    double frequency; // Hz
    double amplitude;
    double decay; // seconds until 1/e
};

// A struck tone: partials that decay on their own, a 3 ms attack against the
// click. Each partial is a damped rotating phasor: one complex product per
// sample instead of a sine and an exponential.
void strike(std::vector<double>& out, double start, std::initializer_list<Partial> partials)
{
    const auto first = size_t(start * SampleRate);
    constexpr size_t Attack = SampleRate * 3 / 1000;
    for (const Partial& p : partials) {
        const std::complex<double> step =
            std::polar(std::exp(-1.0 / (p.decay * SampleRate)), TwoPi * p.frequency / SampleRate);
        std::complex<double> phasor = p.amplitude;
        for (size_t i = first; i < out.size(); ++i, phasor *= step)
            out[i] += std::min(1.0, double(i - first) / Attack) * phasor.imag();
    }
}

// The gong: a bell's inharmonic partials over 523 Hz (hum, prime, minor third,
// fifth, nominal and upper partials), the low ones ringing longest.
std::vector<double> gong()
{
    std::vector<double> out(size_t(4.0 * SampleRate));
    constexpr double Base = 523.25;
    strike(out, 0,
           {{Base * 0.5, 0.35, 1.6},
            {Base, 1.0, 1.2},
            {Base * 1.19, 0.55, 0.9},
            {Base * 1.5, 0.4, 0.7},
            {Base * 2.0, 0.5, 0.6},
            {Base * 2.51, 0.25, 0.4},
            {Base * 3.0, 0.2, 0.3},
            {Base * 4.07, 0.12, 0.2}});
    return out;
}

// The siren: 3 s, from 650 Hz up to 1300 Hz and back down, with some third
// harmonic so that it cuts through noise.
std::vector<double> siren()
{
    std::vector<double> out(size_t(3.0 * SampleRate));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SampleRate;
        phase += TwoPi * (650 + 325 * (1 - std::cos(TwoPi * t / 3.0))) / SampleRate;
        out[i] = std::sin(phase) + 0.3 * std::sin(3 * phase);
    }
    return out;
}

// The notice: a two-note chime, E5 then C5.
std::vector<double> notice()
{
    std::vector<double> out(size_t(1.6 * SampleRate));
    for (const auto& [start, note] : {std::pair{0.0, 659.26}, std::pair{0.4, 523.25}})
        strike(out, start, {{note, 1.0, 0.45}, {note * 2, 0.3, 0.25}, {note * 3, 0.1, 0.15}});
    return out;
}

// Scaled to the peak level, faded in and out so that start and end do not click.
Pcm toPcm(std::vector<double> wave)
{
    constexpr size_t FadeIn = SampleRate / 200;
    constexpr size_t FadeOut = SampleRate / 50;
    for (size_t i = 0; i < FadeIn; ++i)
        wave[i] *= double(i) / FadeIn;
    for (size_t i = 0; i < FadeOut; ++i)
        wave[wave.size() - 1 - i] *= double(i) / FadeOut;
    double peak = 0;
    for (double sample : wave)
        peak = std::max(peak, std::abs(sample));
    Pcm pcm{SampleRate, 1, {}};
    pcm.samples.resize(qsizetype(wave.size() * 2));
    auto* out = reinterpret_cast<qint16*>(pcm.samples.data());
    for (size_t i = 0; i < wave.size(); ++i)
        out[i] = qint16(std::lround(wave[i] / peak * Peak * 32767));
    return pcm;
}

} // namespace

Pcm synthesize(BuiltInSound sound)
{
    switch (sound) {
    case BuiltInSound::Siren:
        return toPcm(siren());
    case BuiltInSound::Notice:
        return toPcm(notice());
    case BuiltInSound::Gong:
        break;
    }
    return toPcm(gong());
}

} // namespace BuiltInSounds
