#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's pictures again, under Xvfb, from the program as built:
#   docs/screenshot.png   the message bar and the settings window "Kaldrin"
#   docs/bar.png          the message bar with a telegram
#   docs/settings.png     the settings window "Kaldrin"
#   docs/alarm.png        the window "Alarm" of an alarm rule
#   docs/tray-menu.png    the tray icon's menu while the alarm is open
#   docs/history.png      the window "Telegramm-Liste"
#   docs/statusboard.png  the window "Statusübersicht" with a request to speak
#
#   docs/screenshots.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, docs)
#
# It starts its own X server (Xvfb, on a free display), a small system tray
# (trayer), the demo server ostrevo-feed --demo on a free port and Ostrevo
# with a HOME and XDG folders of its own that hold the sample name lists and
# a rules file; it presses "Verbinden", waits for the demo's telegrams, opens
# the windows from the tray menu (xdotool) and takes the pictures (ImageMagick
# import). Every process it started is ended on the way out, also on failure.
# Needs the Debian packages xvfb trayer xdotool x11-utils imagemagick sqlite3.
# Takes about 70 seconds: the demo's sequence lasts 42 s, and the pictures
# wait for their moments in it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
out=$(realpath "${2:-$root/docs}")
program=$build/src/ostrevo
feed=$build/tools/feed/ostrevo-feed
make_lists=$build/tools/lists/ostrevo-make-lists

missing=()
for command in Xvfb trayer xdotool import convert identify sqlite3 python3; do
    command -v "$command" >/dev/null || missing+=("$command")
done
if ((${#missing[@]})); then
    echo "screenshots.sh: missing ${missing[*]}; install them with" >&2
    echo "  apt-get install -y xvfb trayer xdotool x11-utils imagemagick sqlite3 python3" >&2
    exit 1
fi
for binary in "$program" "$feed" "$make_lists"; do
    if [[ ! -x $binary ]]; then
        echo "screenshots.sh: $binary is missing; build first (cmake --build $build)" >&2
        exit 1
    fi
done
mkdir -p "$out"

work=$(mktemp -d /tmp/ostrevo-screenshots.XXXXXX)
xvfb_pid= tray_pid= feed_pid= ostrevo_pid=
cleanup() {
    local status=$?
    # Ostrevo first, with SIGTERM: it shuts down in order. Then whatever
    # it started itself (the sound process), then the helpers.
    local children=()
    if [[ -n $ostrevo_pid ]]; then
        mapfile -t children < <(ps -o pid= --ppid "$ostrevo_pid" 2>/dev/null || true)
        kill "$ostrevo_pid" 2>/dev/null || true
        wait "$ostrevo_pid" 2>/dev/null || true
    fi
    for pid in "${children[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $feed_pid $tray_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if ((status != 0)); then
        echo "screenshots.sh: failed; the program's log:" >&2
        cat "$work/ostrevo.log" >&2 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "screenshots.sh: $*" >&2
    exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# The X server: -displayfd makes it pick a free display and name it.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$work/display")
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# The desk's own folders: the lists where Ostrevo looks by default.
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/Ostrevo" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# No session bus: the tray is the XEmbed one, notifications are logged as missing.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/no-bus
lists=$XDG_DATA_HOME/Ostrevo
"$make_lists" "$root/tools/lists/sample-lists.txt" "$lists" >"$work/lists.log"
# The rules file; a rule for the demo's page to 0077001 comes in later.
rules() {
    {
        echo '# Art;Kennung;Zusatz;Bezeichnung;Ton;Wiederholen'
        # Silent: there is no sound server here.
        [[ ${1-} == page ]] && echo 'POCSAG;77001;B;Information Gerätewart;aus;nein'
        echo 'FMS;*;0;NOTRUF;sirene;ja'
    } >"$lists/Alarmregeln.txt.new"
    mv "$lists/Alarmregeln.txt.new" "$lists/Alarmregeln.txt"
}
rules

# The demo's port 7778 where it is free (the settings window shows it).
port=$(python3 -c '
import socket
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)  # as the feed binds
try:
    s.bind(("127.0.0.1", 7778))
except OSError:
    s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])')
# The windows where the pictures want them, below the bar's 15 pixels and
# apart from the settings window.
cat >"$XDG_CONFIG_HOME/Ostrevo/Ostrevo.conf" <<EOF
[Server]
Adresse=127.0.0.1
Port=$port

[Telegramm-Liste]
Geometrie=20 190 1240 430
Spalten=145 62 75 200 125 280 300

[Status%FCbersicht]
Geometrie=130 190 760 470
Spalten=220 100 200 110 106
EOF

trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
    >"$work/trayer.log" 2>&1 &
tray_pid=$!
"$feed" --demo --port "$port" >"$work/feed.log" 2>&1 &
feed_pid=$!
(cd "$work" && exec "$program") >"$work/ostrevo.log" 2>&1 &
ostrevo_pid=$!

visible() { { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; } | head -n 1; }
window_shown() { [[ -n $(visible "$1") ]]; }
window_gone() { [[ -z $(visible "$1") ]]; }

wait_for 20 window_shown '^Kaldrin$' || fail "the settings window did not appear"
kaldrin=$(visible '^Kaldrin$')
bar=$(xdotool search --name '^Telegrammleiste$' | head -n 1)
# Without a window manager every window starts at 0,0 under the bar.
xdotool windowmove "$kaldrin" 40 60
sleep 0.5
# "Verbinden": frame "Status" at 8,48, the button at 212,12 in it, 69x21.
xdotool mousemove --window "$kaldrin" 254 70 click 1
wait_for 15 grep -q 'verbunden' "$work/feed.log" || fail "Ostrevo did not connect"
xdotool mousemove 500 700 # no tooltip in the pictures

journal=$XDG_DATA_HOME/Ostrevo/journal.sqlite
# The newest journal row that matches a condition, 0 without one.
newest() {
    sqlite3 -cmd '.timeout 2000' "$journal" \
        "SELECT coalesce(max(id), 0) FROM telegram WHERE $1" 2>/dev/null || echo 0
}
# Waits for a row of the condition newer than row $2.
row_after() { (($(newest "$1") > $2)); }

tray_menu() {
    local panel
    panel=$(xdotool search --name '^panel$' | head -n 1)
    eval "$(xdotool getwindowgeometry --shell "$panel")"
    xdotool mousemove $((X + WIDTH - 12)) $((Y + HEIGHT / 2)) click 3
    # The menu: a window named like the program, larger than the icon.
    menu_shown() {
        local id
        for id in $(xdotool search --onlyvisible --classname '^ostrevo$' 2>/dev/null); do
            [[ $(xdotool getwindowname "$id") == ostrevo ]] || continue
            eval "$(xdotool getwindowgeometry --shell "$id")"
            ((WIDTH > 100)) && menu_geometry="$X $Y" && return 0
        done
        return 1
    }
    wait_for 5 menu_shown || fail "the tray menu did not open"
}

# 1. The status board while a vehicle's request to speak is open: the demo
# answers it two seconds later.
tray_menu
xdotool key s # "&Statusübersicht"
wait_for 10 window_shown '^Statusübersicht$' || fail "no Statusübersicht"
xdotool mousemove 500 760
board=$(visible '^Statusübersicht$')
# Waits up to $1 seconds for the next request and takes the picture, into
# $2; fails when the answer came before the picture was taken.
board_picture() {
    local mark request
    mark=$(newest "1")
    wait_for "$1" row_after "kind = 'FMS' AND status = 5" "$mark" || return 1
    request=$(newest "kind = 'FMS' AND status = 5")
    sleep 0.3
    xdotool windowraise "$board"
    import -window "$board" "$2"
    ! row_after "kind = 'FMS' AND status = 6 AND direction = 'to_vehicle'" "$request"
}
for _ in 1 2 3; do
    board_picture 60 "$out/statusboard.png" && break
done

# 2. An alarm: the rule for the page to 0077001 comes in while Ostrevo runs
# (it reads the file again); its window, and the tray menu while it is open.
rules page
wait_for 60 window_shown '^Alarm$' || fail "no alarm window (the rule for POCSAG 0077001)"
sleep 2.5 # a running "seit" time
import -window "$(visible '^Alarm$')" "$out/alarm.png"
tray_menu
read -r menu_x menu_y <<<"$menu_geometry"
sleep 0.3
import -window root "$work/root.png"
screen_width=$(xdotool getdisplaygeometry | cut -d' ' -f1)
screen_height=$(xdotool getdisplaygeometry | cut -d' ' -f2)
convert "$work/root.png" -crop \
    "$((screen_width - menu_x))x$((screen_height - menu_y))+${menu_x}+${menu_y}" \
    +repage "$out/tray-menu.png"
xdotool key q # "Alarm &quittieren"
wait_for 5 window_gone '^Alarm$' || fail "the alarm was not acknowledged"
xdotool mousemove 500 760
wait_for 5 row_after "acknowledged_at IS NOT NULL" 0 || fail "no acknowledgement in the journal"
rules

# 3. The history window, with the acknowledged alarm near the top.
tray_menu
xdotool key t # "&Telegramm-Liste"
wait_for 10 window_shown '^Telegramm-Liste$' || fail "no Telegramm-Liste"
xdotool mousemove 500 760
sleep 1.5
history=$(visible '^Telegramm-Liste$')
xdotool windowraise "$history"
import -window "$history" "$out/history.png"
# The board again, fuller now, with the request of the next round.
if board_picture 45 "$work/statusboard.png"; then
    mv "$work/statusboard.png" "$out/statusboard.png"
fi

# 4. The bar once a status, the request and the speaker stand in it; the
# settings window below it.
mark=$(newest "1")
wait_for 60 row_after "kind = 'FMS' AND status = 1 AND direction = 'from_vehicle'" "$mark" ||
    fail "no status 1 from the demo"
sleep 0.5
xdotool windowraise "$kaldrin"
sleep 0.3
import -window "$bar" "$out/bar.png"
import -window "$kaldrin" "$out/settings.png"
import -window root "$work/root.png"
convert "$work/root.png" -crop "${screen_width}x180+0+0" +repage "$out/screenshot.png"

# Smaller files: 64 colours are plenty for these, where that is smaller.
for picture in screenshot bar settings alarm tray-menu history statusboard; do
    file=$out/$picture.png
    convert "$file" -strip -colors 64 "PNG8:$work/small.png"
    if (($(stat -c %s "$work/small.png") < $(stat -c %s "$file"))); then
        mv "$work/small.png" "$file"
    fi
    echo "$file: $(identify -format '%wx%h' "$file"), $(stat -c %s "$file") bytes"
done
