# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the benchmarks that run the program as a desk does: full lists,
# a private X display with a tray. Expects $work and the array pids.

# Full lists: 2500 receivers, 2000 vehicles, 5000 pagers, all status texts.
#   make_full_lists MAKE_LISTS_PROGRAM
make_full_lists() {
    local source="$work/lists.txt"
    {
        for i in $(seq 1 2500); do echo "FME $((20000 + i)) FF Musterstadt Melder $i"; done
        for i in $(seq 1 2000); do echo "KFZ $((61000000 + i)) Florian Musterstadt $i # HLF"; done
        for i in $(seq 1 5000); do echo "POC $((1000000 + i)) Zugführer $i"; done
        for i in $(seq 0 18); do echo "LST6: Status $i"; echo "KFZ6: Auftrag $i"; done
    } >"$source"
    "$1" "$source" "$work/lists" >/dev/null
}

# Xvfb on a free display, made this shell's, and a tray on it.
start_display_with_tray() {
    local number
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    read -r -t 20 number <"$work/display"
    export DISPLAY=":$number"
    unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM
    trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 >/dev/null 2>&1 &
    pids+=($!)
}
