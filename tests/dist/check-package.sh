#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build folder and checks its control
# fields, its file list and what lintian says about it.
#   check-package.sh BUILD_DIR VERSION EXPECTED_FILE_LIST
set -euo pipefail
build=$1 version=$2 expected=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
deb=$out/ostrevo_${version}_amd64.deb
[ -f "$deb" ] || { fail "no $(basename "$deb") in: $(ls "$out")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = ostrevo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = net ] || fail "Section: $(field Section)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[ "$(field Description | wc -l)" -ge 3 ] || fail "the description has no long part"

# Depends: the libraries dpkg-shlibdeps found, and what is loaded at run time;
# not the Wayland plugin, under which the message bar cannot stay on top.
depends=$(field Depends | tr -d ' ' | tr ',' '\n' | sed 's/(.*//')
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6sql6-sqlite fonts-liberation; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done
! grep -q wayland <<<"$depends" || fail "Depends names Wayland: $(field Depends)"

listing=$(dpkg-deb -c "$deb")
diff -u "$expected" <(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sed 's|^\./usr/||' | LC_ALL=C sort) ||
    fail "packaged files differ from $expected"
awk '$2 != "root/root" || ($1 !~ /^-rwxr-xr-x$|^-rw-r--r--$|^drwxr-xr-x$/) { print; bad = 1 } END { exit bad }' \
    <<<"$listing" || fail "files above have the wrong owner or mode"

# Warnings count as much as errors; the German manual pages trip lintian's
# English spelling check only at the informational level. lintian leaves
# files in TMPDIR behind: keep them in the folder removed at exit.
TMPDIR=$out lintian --fail-on error,warning "$deb" || fail "lintian reports the tags above"
exit $status
