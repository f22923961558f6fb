#!/usr/bin/env bash
# Installs what is missing, builds and starts Ostrevo.
set -euo pipefail
cd "$(dirname "$0")"

tools/ensure-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec build/src/ostrevo "$@"
