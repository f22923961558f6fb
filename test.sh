#!/usr/bin/env bash
# Installs what is missing, checks formatting, runs the suite once under
# AddressSanitizer/UndefinedBehaviorSanitizer (with bounded fuzz runs of every
# reader of untrusted bytes) and once as a normal build, ending with CTest's
# summary.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

tools/ensure-packages.sh test

echo "== Format check"
sources=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $sources

echo "== Sanitizer build (ASan + UBSan, clang) with fuzz runs"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++-14 \
    -DOSTREVO_SANITIZE=ON -DOSTREVO_FUZZ=ON -DOSTREVO_WERROR=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE 'display|package'

echo "== Build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREVO_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
