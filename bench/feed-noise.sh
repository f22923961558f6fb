#!/usr/bin/env bash
# Noise through the real multimon-ng, as an open squelch gives it between
# transmissions: how many telegrams does the decoder read out of it, and how
# many would the feed send? Runs CHUNKS chunks of two minutes (400 = 13.3 h),
# alternating noise levels 0.15 and 0.3, each through the decoder as the
# feed starts it and as the hand-built pipe did (BCH correction of 2 bits).
# Keeps the decoder lines in OUT and prints a summary.
#   bench/feed-noise.sh [CHUNKS] [OUT] [FIRST_SEED]    BUILD=build
set -euo pipefail
chunks=${1:-400}
out=${2:-feed-noise}
first=${3:-1}
build=$(realpath "${BUILD:-build}")
demodulators="-a ZVEI1 -a POCSAG512 -a POCSAG1200 -a POCSAG2400 -a FMSFSK"
mkdir -p "$out"
for ((seed = first; seed < first + chunks; ++seed)); do
    level=$([ $((seed % 2)) -eq 0 ] && echo 0.3 || echo 0.15)
    "$build/tests/tools/feed_audio" --noise "$level" "noise:120:$seed" \
        | tee >(multimon-ng -t raw -C DE $demodulators - 2>/dev/null | grep -v '^Enabled' >>"$out/pipe.txt") \
        | multimon-ng -t raw -C DE -b 1 $demodulators - 2>/dev/null | grep -v '^Enabled' >>"$out/feed.txt" || true
done
# Let the decoder behind tee finish.
sleep 2
# Lines by kind, then what ostrevo-feed would send of them at its defaults.
summary() {
    echo "$1: $(wc -l <"$2") lines"
    echo "  FMS, check sum wrong: $(grep -c 'CRC INCORRECT' "$2" || true)"
    echo "  FMS, right after a bit swap: $(grep -c 'AFTER SWAPPING ONE BIT$' "$2" || true)"
    echo "  FMS, right: $(grep -c 'CRC correct$' "$2" || true)"
    echo "  POCSAG pages: $(grep -c '^POCSAG' "$2" || true), ZVEI lines: $(grep -c '^ZVEI' "$2" || true)"
    echo "  sent by ostrevo-feed: $("$build/tools/feed/ostrevo-feed" --port 0 --multimon "$2" 2>&1 \
        | grep -c 'gesendet: ' || true)"
}
echo "$chunks chunks of 120 s from seed $first"
summary "decoder as in the pipe (-b 2)" "$out/pipe.txt"
summary "decoder as the feed runs it (-b 1)" "$out/feed.txt"
