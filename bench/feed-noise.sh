#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Noise through ostrevo-feed --receive file: at its defaults, as an open
# squelch gives it between transmissions: what does it send? Runs CHUNKS
# chunks of two minutes (400 = 13.3 h), alternating noise levels 0.15 and
# 0.3; each chunk also goes through multimon-ng as the hand-built pipe ran
# it (all five demodulators, BCH correction of 2 bits), for comparison.
# Then AFTER seeds (default 0) of ten alpha pages, each followed by four
# seconds of noise, at both levels: only the pages may arrive.
# Keeps the logs in OUT and prints a summary.
#   bench/feed-noise.sh [CHUNKS] [OUT] [FIRST_SEED]    BUILD=build AFTER=0
set -euo pipefail
chunks=${1:-400}
out=${2:-feed-noise}
first=${3:-1}
build=$(realpath "${BUILD:-build}")
after=${AFTER:-0}
audio="$build/bench/feed_audio"
feed="$build/tools/feed/ostrevo-feed"
mkdir -p "$out"
: >"$out/pipe.txt"
: >"$out/feed.log"
for ((seed = first; seed < first + chunks; ++seed)); do
    level=$([ $((seed % 2)) -eq 0 ] && echo 0.3 || echo 0.15)
    "$audio" --noise "$level" "noise:120:$seed" >"$out/chunk.raw"
    multimon-ng -t raw -C DE -a ZVEI1 -a POCSAG512 -a POCSAG1200 -a POCSAG2400 -a FMSFSK - \
        <"$out/chunk.raw" 2>/dev/null | grep -v '^Enabled' >>"$out/pipe.txt" || true
    "$feed" --port 0 --receive "file:$out/chunk.raw" 2>>"$out/feed.log"
done
: >"$out/after.log"
expected=0
for ((seed = 1; seed <= after; ++seed)); do
    for level in 0.15 0.3; do
        items=()
        for ((i = 1; i <= 10; ++i)); do
            items+=("page:$((1000000 + 7 * i)):3:alpha:Einsatz$i" "noise:4:$((1000 * seed + i))")
        done
        "$audio" --noise "$level" "${items[@]}" >"$out/chunk.raw"
        "$feed" --port 0 --repeat-window 0 --receive "file:$out/chunk.raw" 2>>"$out/after.log"
        expected=$((expected + 10))
    done
done
rm -f "$out/chunk.raw"
# What the pipe's decoder read, then what the feed sent and held back.
echo "$chunks chunks of 120 s from seed $first"
echo "decoder as in the pipe (-b 2): $(wc -l <"$out/pipe.txt") lines" \
    "(FMS: $(grep -c '^FMS' "$out/pipe.txt" || true), of them $(grep -c 'CRC correct$' "$out/pipe.txt" || true) right;" \
    "POCSAG: $(grep -c '^POCSAG' "$out/pipe.txt" || true), ZVEI: $(grep -c '^ZVEI' "$out/pipe.txt" || true))"
echo "ostrevo-feed: $(grep -c 'gesendet: ' "$out/feed.log" || true) sent," \
    "$(grep -c 'zurückgehalten' "$out/feed.log" || true) held back"
grep 'gesendet: \|zurückgehalten' "$out/feed.log" || true
if ((after > 0)); then
    pages=$(grep -c 'gesendet: POC.*Einsatz' "$out/after.log" || true)
    echo "after transmissions: $pages of $expected pages," \
        "$(($(grep -c 'gesendet: ' "$out/after.log" || true) - pages)) other records sent," \
        "$(grep -c 'zurückgehalten' "$out/after.log" || true) held back"
fi
