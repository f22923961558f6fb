#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one test program on a private Xvfb display (QT_QPA_PLATFORM=xcb).
# Xvfb picks a free display number itself, so tests may run side by side.
set -euo pipefail
pipe=$(mktemp -u)
mkfifo "$pipe"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$pipe" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$pipe"' EXIT
read -r -t 20 number <"$pipe"
display=":$number"
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$@"
