#!/usr/bin/env bash
# Telegrams of the project's encoders at 0.5 of full scale in noise at 0.15,
# each followed by two seconds of noise, through ostrevo-feed --receive
# file: with its defaults: how many arrive, and what else is sent.
#   bench/feed-in-noise.sh [ROUNDS] [BUILD_DIR]    one round: 2 alpha pages,
#   1 numeric page, 1 FMS telegram from and 1 to a vehicle
set -euo pipefail
rounds=${1:-100}
build=$(realpath "${2:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
items=()
for ((i = 0; i < rounds; ++i)); do
    hex=$(printf '%04X' "$i")
    items+=("page:$((100000 + 8 * i)):3:alpha:Einsatz $i Hauptstrasse" "noise:2:$((10 * i + 1))"
        "page:$((500000 + 8 * i + i % 8)):3:alpha:Probealarm $i" "noise:2:$((10 * i + 2))"
        "page:$((900000 + 8 * i)):0:numeric:$i-112" "noise:2:$((10 * i + 3))"
        "fms:6EB1$hex:$((i % 10)):from:$((i % 4))" "noise:2:$((10 * i + 4))"
        "fms:1234$hex:$((i % 16)):to:0" "noise:2:$((10 * i + 5))")
done
"$build/tests/tools/feed_audio" --noise 0.15 "${items[@]}" >"$work/audio.raw"
"$build/tools/feed/ostrevo-feed" --port 0 --repeat-window 0 --receive "file:$work/audio.raw" 2>"$work/log"
sent=$(grep -c 'gesendet: ' "$work/log" || true)
pages=$(grep -c 'gesendet: POC' "$work/log" || true)
fms=$(grep -c 'gesendet: FMSTlg' "$work/log" || true)
echo "$((5 * rounds)) telegrams in $((rounds * 5 * 2 / 60 + rounds * 5 * 3 / 2 / 60)) min of audio: $sent sent ($pages pages of $((3 * rounds)), $fms FMS of $((2 * rounds)))"
grep 'zurückgehalten\|nicht gesendete Zeilen' "$work/log" || true
