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

# Full lists: 2500 receivers, 2000 vehicles, 5000 pagers, all status texts.
source="$work/lists.txt"
{
    for i in $(seq 1 2500); do echo "FME $((20000 + i)) FF Musterstadt Melder $i"; done
    for i in $(seq 1 2000); do echo "KFZ $((61000000 + i)) Florian Musterstadt $i # HLF"; done
    for i in $(seq 1 5000); do echo "POC $((1000000 + i)) Zugführer $i"; done
    for i in $(seq 0 18); do echo "LST6: Status $i"; echo "KFZ6: Auftrag $i"; done
} >"$source"
"$build/tools/lists/ostrevo-make-lists" "$source" "$work/lists" >/dev/null

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
read -r -t 20 number <"$work/display"
export DISPLAY=":$number"
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM
trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 >/dev/null 2>&1 &
pids+=($!)
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
