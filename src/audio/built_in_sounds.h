// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/alarm_sound.h"
#include "pcm.h"

// The program's own sounds, synthesised at start so that nothing needs to be
// installed or found beside the program: mono, 44.1 kHz, peaks at -1 dBFS.
namespace BuiltInSounds {

constexpr int SampleRate = 44100;
constexpr double Peak = 0.891; // -1 dBFS: loud, and no clipping after resampling

Pcm synthesize(BuiltInSound sound);

} // namespace BuiltInSounds
