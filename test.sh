#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks formatting, runs the suite once under
# AddressSanitizer/UndefinedBehaviorSanitizer (with bounded fuzz runs of every
# reader of untrusted bytes) and once as a normal build, ending with CTest's
# summary.
#   ./test.sh            everything
#   ./test.sh --quick    format check, normal build, tests without a display
#                        or the package (the inner loop)
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)
quick=false
[ "${1:-}" = --quick ] && quick=true

tools/ensure-packages.sh test

echo "== Format check"
sources=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $sources

if $quick; then
    echo "== Build and test (quick)"
    cmake --preset dev >/dev/null
    cmake --build build -j"$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs" -LE 'display|package'
    exit
fi

# Xvfb creates this folder when it first starts; made here, the X servers
# and compositors the tests start side by side do not race for it.
[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix 2>/dev/null || true

echo "== Sanitizer build (ASan + UBSan, clang) with fuzz runs"
cmake --preset sanitize >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE 'display|package'

echo "== Build and test"
cmake --preset dev >/dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
