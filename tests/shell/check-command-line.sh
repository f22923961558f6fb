#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the programs say on the command line, in German, also where Qt
# writes it; and the program without any display.
#   check-command-line.sh OSTREVO OSTREVO_FEED OSTREVO_MAKE_LISTS
set -uo pipefail
ostrevo=$1 feed=$2 lists=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
expect() { # DESCRIPTION EXPECTED_RC TEXT COMMAND...
    local what=$1 rc=$2 text=$3
    shift 3
    local out got
    out=$("$@" 2>&1)
    got=$?
    if [ "$got" != "$rc" ] || ! grep -qF -- "$text" <<<"$out"; then
        echo "FAIL: $what: exit $got (wanted $rc), output:"
        echo "$out"
        status=1
    fi
}
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work"
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data")

expect "no display" 2 "Keine grafische Sitzung gefunden" "${headless[@]}" "$ostrevo"
[ -e "$work/config/Ostrevo/Ostrevo.conf" ] && { echo "FAIL: settings written without display"; status=1; }
expect "help without display" 0 "Aufruf: ostrevo [SERVERADRESSE]" "${headless[@]}" "$ostrevo" --help
expect "help lists --tray" 0 "--tray" "${headless[@]}" "$ostrevo" --help
for text in "Aufruf:" "Optionen:" "Zeigt Hilfe zu den Kommandozeilenoptionen an."; do
    expect "feed help in German" 0 "$text" env LANG=C "$feed" --help
done
expect "list generator usage" 2 "Aufruf: ostrevo-make-lists" "$lists"
exit $status
