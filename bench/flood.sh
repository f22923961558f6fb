#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A server that floods the client: 128 MiB without a line end. Prints the
# client's resident memory before the flood and its peak after it.
#   bench/flood.sh [BUILD_DIR]     OSTREVO_PROGRAM=path measures another build
set -euo pipefail
build=$(realpath "${1:-build}")
program=${OSTREVO_PROGRAM:-$build/src/ostrevo}
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 - "$port" >"$work/server.log" 2>&1 <<'PY' &
import socket, sys, time
server = socket.socket()
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", int(sys.argv[1])))
server.listen(1)
client, _ = server.accept()
time.sleep(1)
print("flood", flush=True)
chunk = b"x" * (1 << 20)
for _ in range(128):
    client.sendall(chunk)
print("sent", flush=True)
time.sleep(3)
PY
pids+=($!)

mkdir -p "$work/config/Ostrevo" "$work/lists"
printf '[Server]\nPort=%s\n[Einstellungen]\nAutoConnect=1\n' "$port" >"$work/config/Ostrevo/Ostrevo.conf"
cd "$work/lists"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen "$program" 2>/dev/null &
pid=$!
pids+=($pid)
rss() { awk -v key="$1" '$1 == key":" {print $2}' "/proc/$pid/status"; }
until grep -q flood "$work/server.log"; do sleep 0.2; done
before=$(rss VmRSS)
until grep -q sent "$work/server.log"; do sleep 0.2; done
sleep 2
awk -v before="$before" -v peak="$(rss VmHWM)" 'BEGIN {
    printf "before the flood: %6.1f MiB\npeak after it:    %6.1f MiB\n", before / 1024, peak / 1024
}'
