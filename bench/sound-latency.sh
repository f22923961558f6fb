#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How long from play() until the sound is on the sink, and from stop() until
# it is silent, on a private PulseAudio (started and stopped by the program).
#   bench/sound-latency.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target bench_sound_latency >/dev/null
"$build/bench/bench_sound_latency" "${2:-10}"
