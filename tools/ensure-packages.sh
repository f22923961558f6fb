#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing, and only those.
#   ensure-packages.sh run    what building and running the program needs
#   ensure-packages.sh test   that, plus what the whole test suite needs
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite libxcb1-dev
    fonts-liberation qt6-translations-l10n)
if [ "${1:-test}" = test ]; then
    packages+=(
        clang-14 libclang-rt-14-dev clang-format libbenchmark-dev
        xvfb trayer xdotool x11-utils imagemagick
        multimon-ng sox rtl-sdr pulseaudio pulseaudio-utils dunst
        dpkg-dev lintian appstream desktop-file-utils man-db systemd
        mutter xwayland qt6-wayland dbus
    )
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
