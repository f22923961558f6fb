// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// What an open squelch gives between transmissions: white noise, uniform,
// peaks at `level` of full scale. The same seed gives the same noise.
QByteArray noiseAudio(double seconds, double level, quint32 seed);

// `signal` scaled so that its peak is `signalLevel` of full scale, with
// noise at `noiseLevel` on top; clipped at full scale.
QByteArray inNoise(const QByteArray& signal, double signalLevel, double noiseLevel, quint32 seed);
