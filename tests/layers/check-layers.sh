#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers as the build links them: a folder of src/ includes only the
# folders whose libraries it links (LAYER_MAP, written at configure time),
# and the core's test programs load no Qt Gui or Widgets.
#   check-layers.sh SOURCE_DIR LAYER_MAP CORE_PROGRAM...
set -euo pipefail
src=$1/src
map=$2
shift 2
status=0

while IFS=: read -r folder allowed; do
    for file in "$src/$folder"/*.h "$src/$folder"/*.cpp; do
        [ -e "$file" ] || continue
        while read -r included; do
            case " $allowed " in
                *" $included "*) ;;
                *) echo "$file includes $included/, a layer it does not link"; status=1 ;;
            esac
        done < <(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file" | sort -u)
    done
done <"$map"

for program in "$@"; do
    if readelf -d "$program" | grep -E 'NEEDED.*libQt6(Gui|Widgets)'; then
        echo "$program is core but loads Qt Gui"
        status=1
    fi
done
exit $status
