#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Under GNOME's compositor (headless, with Xwayland) and with Qt's Wayland
# plugin installed, the real ostrevo started with WAYLAND_DISPLAY and DISPLAY
# set must still put the message bar at the top edge over the full width and
# above other windows, and leave the focus with the main window.
#   wayland-bar.sh OSTREVO_BINARY
set -euo pipefail
ostrevo=$(realpath "$1")

for tool in mutter Xwayland dbus-run-session setsid xwininfo xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
compgen -G '/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so' >/dev/null ||
    { echo "SKIP: qt6-wayland is not installed"; exit 77; }

work=$(mktemp -d)
compositor="" app=""
# Ends a process (or, as -PGID, a process group) and waits up to 5 s before
# forcing it.
stop() {
    kill -- "$1" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 -- "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL -- "$1" 2>/dev/null || true
}
cleanup() {
    [ -z "$app" ] || stop "$app"
    if [ -n "$compositor" ]; then
        # mutter removes its X display's lock files only when it ends first;
        # then the rest of its process group (D-Bus, Xwayland) goes.
        for child in $(ps -o pid= --ppid "$compositor"); do stop "$child"; done
        stop -"$compositor"
    fi
    wait || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

mkdir -m 700 "$work/run"
wayland=ostrevo-check-$$
XDG_RUNTIME_DIR=$work/run setsid env -u DISPLAY -u WAYLAND_DISPLAY dbus-run-session -- \
    mutter --headless --wayland --virtual-monitor 1280x800 --wayland-display "$wayland" >"$work/mutter.log" 2>&1 &
compositor=$!

# Waits up to 30 s for a condition (a command) to hold; 2 from it gives up.
settle() {
    local rc
    for _ in $(seq 150); do
        rc=0
        "$@" || rc=$?
        [ $rc -eq 1 ] || return $rc
        sleep 0.2
    done
    return 1
}

x_display() { sed -n 's/.*Using public X11 display \(:[0-9]*\),.*/\1/p' "$work/mutter.log"; }
has_x_display() { [ -n "$(x_display)" ]; }
settle has_x_display || { cat "$work/mutter.log"; echo "FAIL: no Xwayland"; exit 1; }
export DISPLAY XAUTHORITY
DISPLAY=$(x_display)
XAUTHORITY=$(echo "$work"/run/.mutter-Xwaylandauth.*)
settle xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || { echo "FAIL: no window manager"; exit 1; }

mkdir "$work/home"
(cd "$work/home" && exec env -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER \
    XDG_RUNTIME_DIR="$work/run" WAYLAND_DISPLAY="$wayland" HOME="$work/home" \
    XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    "$ostrevo" >"$work/ostrevo.log" 2>&1) &
app=$!

screen_width=$(xwininfo -root | sed -n 's/^ *Width: //p')
problem=""
placed() {
    local bar main active geometry state
    kill -0 "$app" 2>/dev/null || { problem="ostrevo ended"; return 2; }
    bar=$(xwininfo -name Telegrammleiste 2>/dev/null) || { problem="no message bar on $DISPLAY"; return 1; }
    main=$(xwininfo -name Kaldrin 2>/dev/null) || { problem="no main window on $DISPLAY"; return 1; }
    grep -q 'Map State: IsViewable' <<<"$bar" || { problem="the message bar is not mapped"; return 1; }
    geometry=$(sed -n 's/^ *Absolute upper-left \([XY]\): *//p; s/^ *Width: //p' <<<"$bar" | tr '\n' ' ')
    [ "$geometry" = "0 0 $screen_width " ] || { problem="bar at x y width = $geometry"; return 1; }
    state=$(xprop -name Telegrammleiste _NET_WM_STATE)
    grep -q _NET_WM_STATE_ABOVE <<<"$state" || { problem="bar not above: $state"; return 1; }
    grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state" || { problem="bar in the task bar: $state"; return 1; }
    active=$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')
    [ "$active" = "$(sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$main")" ] ||
        { problem="the focus is on $active, not on the main window"; return 1; }
}
if ! settle placed; then
    echo "FAIL: $problem"
    cat "$work/ostrevo.log"
    exit 1
fi
# A click on the bar's time label must not take the focus either.
xdotool mousemove 3 3 click 1
sleep 0.5
if ! settle placed; then
    echo "FAIL after a click on the bar: $problem"
    exit 1
fi
echo "message bar at 0,0, $screen_width wide, above, out of the task bar; the main window has" \
    "the focus, also after a click on the bar"
