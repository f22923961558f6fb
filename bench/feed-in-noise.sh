#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Telegrams of the project's encoders at 0.5 of full scale in noise at 0.15,
# each followed by about two seconds of noise, through ostrevo-feed
# --receive file: with its defaults: how many arrive, and what else is sent.
# The noise lasts a few samples more or less each time, so that the
# telegrams come at any phase of a bit, as on the air.
#   bench/feed-in-noise.sh [ROUNDS] [BUILD_DIR]    one round: 2 alpha pages,
#   1 numeric page, 1 FMS telegram from and 1 to a vehicle, and every
#   fourth round a five-tone call made by sox. FEED=PROGRAM runs another
#   ostrevo-feed (an older one, for comparison); NOISE=0 leaves the noise
#   out (then the telegrams keep the encoders' level).
set -euo pipefail
rounds=${1:-100}
build=$(realpath "${2:-build}")
feed=${FEED:-$build/tools/feed/ostrevo-feed}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zvei=(2400 1060 1160 1270 1400 1530 1670 1830 2000 2200 2600) # 0-9, then the repeat tone
noise() { # seconds, a little more than 2, and the seed
    echo "noise:$(awk "BEGIN { printf \"%.9f\", (44100 + ($1 * 7 + $2 * 13) % 41) / 22050 }"):$((10 * $1 + $2))"
}
items=()
calls=0
for ((i = 0; i < rounds; ++i)); do
    hex=$(printf '%04X' "$i")
    items+=("page:$((100000 + 8 * i)):3:alpha:Einsatz $i Hauptstrasse" "$(noise "$i" 1)"
        "page:$((500000 + 8 * i + i % 8)):3:alpha:Probealarm $i" "$(noise "$i" 2)"
        "page:$((900000 + 8 * i)):0:numeric:$i-112" "$(noise "$i" 3)"
        "fms:6EB1$hex:$((i % 10)):from:$((i % 4))" "$(noise "$i" 4)"
        "fms:1234$hex:$((i % 16)):to:0" "$(noise "$i" 5)")
    if ((i % 4 == 0)); then
        # Five digits, a digit like the one before sent as the repeat tone.
        call=$(printf '%05d' $(((i * 7919 + 12345) % 100000)))
        sox -n -r 22050 -c 1 -b 16 -e signed -t raw "$work/call$i.raw" trim 0 0.3
        previous=x
        for ((d = 0; d < 5; ++d)); do
            digit=${call:d:1}
            tone=${zvei[$([ "$digit" = "$previous" ] && echo 10 || echo "$digit")]}
            previous=$([ "$digit" = "$previous" ] && echo x || echo "$digit")
            sox -n -r 22050 -c 1 -b 16 -e signed -t raw - synth 0.07 sine "$tone" >>"$work/call$i.raw"
        done
        sox -n -r 22050 -c 1 -b 16 -e signed -t raw - trim 0 0.3 >>"$work/call$i.raw"
        items+=("raw:$work/call$i.raw" "$(noise "$i" 6)")
        echo "ZVEI<TAB>$call" >>"$work/calls"
        calls=$((calls + 1))
    fi
done
"$build/bench/feed_audio" --noise "${NOISE:-0.15}" "${items[@]}" >"$work/audio.raw"
seconds=$(($(stat -c %s "$work/audio.raw") / 44100))
# CPU time of the feed and the decoders it ran and waited for.
TIMEFORMAT='%R %U %S'
{ time "$feed" --port 0 --repeat-window 0 --receive "file:$work/audio.raw" 2>"$work/log"; } 2>"$work/time"
read -r wall user system <"$work/time"
sent=$(grep -c 'gesendet: ' "$work/log" || true)
pages=$(grep -c 'gesendet: POC' "$work/log" || true)
fms=$(grep -c 'gesendet: FMSTlg' "$work/log" || true)
five=$(grep -c -F -f "$work/calls" "$work/log" || true)
echo "$((5 * rounds + calls)) telegrams in $((seconds / 60)) min of audio: $sent sent" \
    "($pages pages of $((3 * rounds)), $fms FMS of $((2 * rounds)), $five five-tone calls of $calls)"
echo "wall time $wall s, CPU $(awk "BEGIN { printf \"%.2f\", 1000 * ($user + $system) / $seconds }") ms per second of audio"
grep 'zurückgehalten\|nicht gesendete Zeilen' "$work/log" || true
