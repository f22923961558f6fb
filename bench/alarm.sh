#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Alarm matching with a thousand rules, and record -> alarm window on a
# private X display.
#   bench/alarm.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target bench_alarm >/dev/null
tests/run-with-xvfb.sh "$build/bench/bench_alarm"
