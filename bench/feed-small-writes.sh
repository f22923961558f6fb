#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How many of two POCSAG pages and one FMS telegram multimon-ng decodes when
# their audio comes through a pipe in pieces of a given size: written
# straight into the decoder, and through ostrevo-feed --receive exec:.
#   bench/feed-small-writes.sh [BUILD_DIR]
set -euo pipefail
build=$(realpath "${1:-build}")
feed=$build/tools/feed/ostrevo-feed
writer=$build/bench/feed_audio
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
items="page:1234567:3:alpha:Brand page:77001:0:numeric:0815 fms:6EB1A144:3:from:0"
decoded='Alpha:   Brand$|Numeric: 0815 $|0a03441a1be6 .*CRC correct$'

printf '| demodulators | piece size | straight into multimon-ng | through the feed |\n|---|---|---|---|\n'
for demodulators in ZVEI1,POCSAG512,POCSAG1200,POCSAG2400,FMSFSK POCSAG1200,FMSFSK POCSAG1200; do
    arguments=$(echo ",$demodulators" | sed 's/,/ -a /g')
    expected=$([ "$demodulators" = POCSAG1200 ] && echo 2 || echo 3)
    for pieces in 65536 8192 5760 882 441 256 100 98 64; do
        source="$writer --pieces $pieces --gap 300 $items"
        straight=$($source | multimon-ng -t raw -C DE $arguments - 2>/dev/null | grep -cE "$decoded" || true)
        "$feed" --port 0 --demod "$demodulators" --receive "exec:$source" 2>"$work/log" &
        pid=$!
        until grep -q 'Quellbefehl endete' "$work/log"; do sleep 0.1; done
        sleep 0.5
        kill -TERM "$pid"
        wait "$pid" || true
        through=$(grep -c 'gesendet: ' "$work/log" || true)
        echo "| $demodulators | $pieces | $straight of $expected | $through of $expected |"
    done
done
