#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program with its sound process, the
# demo server and the list generator (nothing else), prepares a demo folder
# with sample name lists,
# starts the demo decoder server (unless something already listens on
# 127.0.0.1:7778) and starts Ostrevo in that folder. Arguments go to Ostrevo.
set -euo pipefail
cd "$(dirname "$0")"

tools/ensure-packages.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREVO_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)" --target ostrevo ostrevo-sound ostrevo-feed ostrevo-make-lists

demo=build/demo
build/tools/lists/ostrevo-make-lists tools/lists/sample-lists.txt "$demo"

if (exec 3<>/dev/tcp/127.0.0.1/7778) 2>/dev/null; then
    echo "A server already listens on 127.0.0.1:7778; using it."
else
    build/tools/feed/ostrevo-feed --demo 2>"$demo/feed.log" &
    feed=$!
    trap 'kill "$feed" 2>/dev/null || true' EXIT
    echo "Demo server started (log: $demo/feed.log). Press \"Verbinden\" in the window."
fi

cd "$demo"
../src/ostrevo "$@"
