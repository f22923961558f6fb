#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR under an unusual prefix (so a
# rule with an absolute path shows up) and checks what a user gets there.
#   check-install.sh BUILD_DIR VERSION EXPECTED_FILE_LIST
set -euo pipefail
build=$1 version=$2 expected=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=/opt/ostrevo-check
tree=$root$prefix
status=0
fail() { echo "FAIL: $*"; status=1; }

DESTDIR=$root cmake --install "$build" --prefix "$prefix" >/dev/null
diff -u "$expected" <(cd "$root" && find . ! -type d | sed "s|^\.$prefix/||" | LC_ALL=C sort) ||
    fail "installed files differ from $expected"

for program in "$tree"/bin/*; do
    name=$(basename "$program")
    out=$(QT_QPA_PLATFORM=offscreen "$program" --version 2>&1) || fail "$name --version exits with $?"
    [[ $out == *"$version"* ]] || fail "$name --version says '$out', not $version"
    page=$tree/share/man/man1/$name.1.gz
    [ -f "$page" ] || { fail "$name has no manual page"; continue; }
    # man reports markup faults on stderr; lexgrog needs a parsable name line.
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $name.1: $warnings"
    lexgrog "$page" >/dev/null || fail "$name.1 has no usable name line"
done

desktop=$(echo "$tree"/share/applications/*.desktop)
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate-tree --no-net "$tree" || fail "appstreamcli rejects the installed tree"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = ostrevo ] || fail "desktop entry starts '$exec_line'"
icon=$(sed -n 's/^Icon=//p' "$desktop")
grep -q "<release version=\"$version\"" "$tree"/share/metainfo/*.xml ||
    fail "the metainfo names no release $version"

for size in 16 22 24 32 48 64 128 256; do
    png=$tree/share/icons/hicolor/${size}x$size/apps/$icon.png
    [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] ||
        fail "icon $icon for ${size}x$size is $(file -b "$png")"
done
grep -q '<svg' "$tree/share/icons/hicolor/scalable/apps/$icon.svg" || fail "no scalable icon $icon"

zcat "$tree"/share/doc/ostrevo/changelog.gz | head -1 | grep -q "^ostrevo ($version)" ||
    fail "the changelog does not start with version $version"
systemd-analyze verify --man=no "$tree"/share/doc/ostrevo/examples/ostrevo-feed.service ||
    fail "systemd rejects the example unit"
exit $status
