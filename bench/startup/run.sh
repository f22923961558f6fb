#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of Ostrevo with full name lists against a bare Qt Widgets window,
# on a private Xvfb with a system tray: the median of RUNS starts each, from
# exec to the main window mapped (wall and processor time), and the resident
# memory 2 s later.
#   bench/startup/run.sh [BUILD_DIR] [RUNS]
# OSTREVO_PROGRAM=path measures another build of the program.
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-10}
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

source "$(dirname "$0")/../desk.sh"
make_full_lists "$build/tools/lists/ostrevo-make-lists"
start_display_with_tray
sleep 1

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
measure() { # TITLE PROGRAM...: the medians of wall time, processor time and memory
    local title=$1; shift
    local times=() cpus=() memories=()
    for _ in $(seq "$runs"); do
        read -r ms cpu kib < <("$build/bench/startup/map_timer" "$title" 2000 "$@")
        times+=("$ms"); cpus+=("$cpu"); memories+=("$kib")
    done
    echo "$(printf '%s\n' "${times[@]}" | median) $(printf '%s\n' "${cpus[@]}" | median)" \
        "$(printf '%s\n' "${memories[@]}" | median)"
}

read -r bareMs bareCpu bareKib < <(measure Bare "$build/bench/startup/bare_window")
read -r ostrevoMs ostrevoCpu ostrevoKib < <(cd "$work/lists" &&
    measure Kaldrin "${OSTREVO_PROGRAM:-$build/src/ostrevo}")
awk -v bm="$bareMs" -v bc="$bareCpu" -v bk="$bareKib" -v om="$ostrevoMs" -v oc="$ostrevoCpu" \
    -v ok="$ostrevoKib" -v n="$runs" 'BEGIN {
    printf "               wall ms   cpu ms   MiB    (median of %d starts)\n", n
    printf "bare window:  %7.1f  %7.1f  %5.1f\n", bm, bc, bk / 1024
    printf "ostrevo:      %7.1f  %7.1f  %5.1f   (full lists)\n", om, oc, ok / 1024
    printf "ratio:        %7.2f  %7.2f\n", om / bm, oc / bc
}'
