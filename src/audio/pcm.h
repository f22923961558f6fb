// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Sound as samples: interleaved signed 16-bit in the host's byte order.
struct Pcm
{
    int sampleRate = 0;
    int channels = 0;
    QByteArray samples;

    bool isEmpty() const { return samples.isEmpty(); }
    qsizetype frames() const { return channels > 0 ? samples.size() / (2 * channels) : 0; }
};
