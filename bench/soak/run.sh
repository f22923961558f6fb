#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Memory over a long run: Ostrevo with full name lists on a private Xvfb,
# connected to a local server that sends TOTAL telegrams in bursts of BURST
# (a mix of ZVEI, POCSAG and FMS records). After each burst it waits until
# every telegram is in the journal and the program has been quiet for
# SETTLE seconds, then prints the resident memory (VmRSS); at the end the
# journal's rows against the telegrams sent.
#   bench/soak/run.sh [BUILD_DIR] [TOTAL] [BURST]     (defaults: build 1000000 50000)
# OSTREVO_PROGRAM=path measures another build of the program;
# OSTREVO_MAKE_LISTS=path names the list tool when BUILD_DIR has none;
# SETTLE=seconds (default 3); SMAPS_DIR=folder keeps /proc/PID/smaps of
# every measurement there; WRITER_NICE=n lowers the journal writer thread's
# priority, so that the writer lags behind the bar as on a slow disk or a
# busy machine and a burst waits in memory.
set -euo pipefail
build=$(realpath "${1:-build}")
total=${2:-1000000}
burst=${3:-50000}
settle=${SETTLE:-3}
program=${OSTREVO_PROGRAM:-$build/src/ostrevo}
makeLists=${OSTREVO_MAKE_LISTS:-$build/tools/lists/ostrevo-make-lists}
work=$(mktemp -d)
pids=()
cleanup() {
    exec 4>&- 2>/dev/null || true
    kill "${pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../desk.sh"
make_full_lists "$makeLists"
start_display_with_tray

# The server sends one burst for every line on its standard input. Listed
# and unlisted addresses, umlauts in CP1252, FMS both ways; no record is
# dropped by the program, so each one is a row of the journal.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkfifo "$work/control"
cat >"$work/server.py" <<'PY'
import random, socket, sys
port, burst = int(sys.argv[1]), int(sys.argv[2])
texts = ["Brand Wohnhaus Hauptstraße 12, Personen in Gefahr", "Verkehrsunfall B 96, eingeklemmte Person",
         "Ölspur auf Fahrbahn Bahnhofstraße", "Probealarm - bitte nicht ausrücken",
         "Rauchentwicklung Keller \"Schule am Markt\"", "Tragehilfe Rettungsdienst, Mühlenweg 3",
         "Übung Atemschutz 19:00 Uhr", "Baum auf Straße, K 7, zwischen Ölbach und Süderau"]
random.seed(7)
def telegram():
    kind = random.randrange(10)
    listed = random.randrange(100) < 85
    if kind < 5:
        vehicle = 61000001 + random.randrange(2000) if listed else 69000000 + random.randrange(10**6)
        to_vehicle = random.randrange(10) == 0
        status = random.randrange(10) if to_vehicle else random.choice([1, 1, 2, 2, 3, 4, 5, 6, 7, 8, 15])
        return f"FMSTlg\t{vehicle}\t1\t0\t1\t0\t{status}\t0\t{int(to_vehicle)}"
    if kind < 8:
        address = 1000001 + random.randrange(5000) if listed else 1900000 + random.randrange(10**5)
        return f"POC\t{address}\t{'ABCD'[random.randrange(4)]}\t{random.choice(texts)} #{random.randrange(1000)}"
    code = 20001 + random.randrange(2500) if listed else 30000 + random.randrange(60000)
    return f"ZVEI\t{code}"
server = socket.socket()
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", port))
server.listen(1)
client, _ = server.accept()
print("connected", flush=True)
for line in sys.stdin:
    data = "".join(telegram() + "\r\n" for _ in range(burst)).encode("cp1252")
    client.sendall(data)
    print("sent", flush=True)
PY
python3 "$work/server.py" "$port" "$burst" <"$work/control" >"$work/server.log" 2>&1 &
pids+=($!)
exec 4>"$work/control"

mkdir -p "$work/config/Ostrevo"
printf '[Server]\nAdresse=127.0.0.1\nPort=%s\n[Einstellungen]\nAutoConnect=1\n' "$port" \
    >"$work/config/Ostrevo/Ostrevo.conf"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
(cd "$work/lists" && exec nice -n 5 "$program" 2>"$work/program.log") &
pid=$!
pids+=($pid)
journal="$work/data/Ostrevo/journal.sqlite"

ended() {
    local code=0
    wait "$pid" || code=$?
    echo "the program has ended (exit status $code):" >&2
    tail -n 5 "$work/program.log" >&2
    exit 1
}
status() { awk -v key="$1" '$1 == key":" {print $2}' "/proc/$pid/status"; }
mib() { awk -v kib="$1" 'BEGIN {printf "%.1f", kib / 1024}'; }
# The newest id: the journal only grows here, so it counts the rows cheaply.
newestId() {
    python3 - "$journal" <<'PY' 2>/dev/null || echo 0
import sqlite3, sys
db = sqlite3.connect(f"file:{sys.argv[1]}?mode=ro", uri=True, timeout=5)
print(db.execute("SELECT ifnull(max(id), 0) FROM telegram").fetchone()[0])
PY
}
measure() { # LABEL: VmRSS after the program has been quiet for SETTLE seconds
    sleep "$settle"
    kill -0 "$pid" 2>/dev/null || ended
    [ -n "${SMAPS_DIR:-}" ] && mkdir -p "$SMAPS_DIR" && cat "/proc/$pid/smaps" >"$SMAPS_DIR/$1.smaps"
    status VmRSS
}

until grep -q connected "$work/server.log"; do
    kill -0 "$pid" 2>/dev/null || ended
    sleep 0.2
done
until [ -f "$journal" ]; do sleep 0.2; done
if [ -n "${WRITER_NICE:-}" ]; then
    for task in /proc/$pid/task/*; do
        [ "$(cat "$task/comm")" = "journal writer" ] && renice -n "$WRITER_NICE" -p "${task##*/}" >/dev/null
    done
fi
idle=$(measure idle)
echo "program: $program"
echo "telegrams: $total in bursts of $burst, settle ${settle}s${WRITER_NICE:+, writer at nice $WRITER_NICE}"
printf 'idle:                        %7s MiB\n' "$(mib "$idle")"

sent=0
bursts=0
first=
last=
highest=0
while [ "$sent" -lt "$total" ]; do
    echo go >&4
    bursts=$((bursts + 1))
    sent=$((sent + burst))
    until [ "$(grep -c sent "$work/server.log")" -ge "$bursts" ]; do sleep 0.1; done
    # Until every row is in, or nothing has come for 2 minutes (rows lost,
    # or a writer starved by the machine's load).
    stuck=0
    rows=$(newestId)
    while [ "$rows" -lt "$sent" ] && [ "$stuck" -lt 240 ]; do
        sleep 0.5
        now=$(newestId)
        if [ "$now" -gt "$rows" ]; then stuck=0; else stuck=$((stuck + 1)); fi
        rows=$now
    done
    rss=$(measure "burst-$bursts")
    first=${first:-$rss}
    last=$rss
    [ "$rss" -gt "$highest" ] && highest=$rss
    printf 'after burst %3d (%8d sent): %7s MiB  (idle %+6s MiB)  rows %d%s\n' "$bursts" "$sent" \
        "$(mib "$rss")" "$(mib $((rss - idle)))" "$rows" "$([ "$rows" -lt "$sent" ] && echo '  NOT SETTLED')"
done

read -r rows shown < <(python3 - "$journal" <<'PY'
import sqlite3, sys
db = sqlite3.connect(f"file:{sys.argv[1]}?mode=ro", uri=True, timeout=5)
print(*db.execute("SELECT count(*), ifnull(sum(shown), 0) FROM telegram").fetchone())
PY
)
echo "highest after a burst:        $(mib "$highest") MiB  (idle +$(mib $((highest - idle))) MiB)"
echo "first to last burst:          $(mib $((last - first))) MiB"
echo "peak (VmHWM):                 $(mib "$(status VmHWM)") MiB"
echo "journal rows: $rows of $sent sent ($shown shown in the bar)"
[ "$rows" -eq "$sent" ]
