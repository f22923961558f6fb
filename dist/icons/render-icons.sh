#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the committed PNG icons from ostrevo.svg (run again after changing
# it): the hicolor sizes for the desktop, the program's own icon sizes and
# the lit-up image the tray icon flashes with (highlighted.css). Needs
# librsvg2-bin.
set -euo pipefail
cd "$(dirname "$0")"
tray=../../src/gui_common/icons

render() { # size output [stylesheet]
    rsvg-convert ${3:+--stylesheet "$3"} -w "$1" -h "$1" ostrevo.svg -o "$2"
}

for size in 16 22 24 32 48 64 128 256; do
    render "$size" "ostrevo-$size.png"
done
for size in 16 32 48 64; do
    render "$size" "$tray/ostrevo-$size.png"
done
render 16 "$tray/highlighted-16.png" highlighted.css
