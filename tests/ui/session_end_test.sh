#!/usr/bin/env bash
# In automatic mode the session's end (SIGTERM, SIGHUP, SIGINT) runs the shutdown: the
# automatic Stop is recorded, the settings are saved, and the exit code is 0.
set -euo pipefail
tallimer="$1"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen

# The 40-byte settings record: break 30, target 480, balance 0, unit 5, view 0, limits
# -10:00 and +20:00, automatic mode on.
record=""
for value in 30 480 0 5 0 0 -600 1200 0 1; do
    for shift in 0 8 16 24; do
        record+=$(printf '\\x%02x' $(((value >> shift) & 255)))
    done
done

for signal in TERM HUP INT; do
    export TALLIMER_HOME="$work/$signal"
    journal="$TALLIMER_HOME/files/My Documents/Tallimer.txt"
    settings="$TALLIMER_HOME/files/My Documents/Tallimer.ini"
    mkdir -p "$TALLIMER_HOME"
    printf '[HKEY_LOCAL_MACHINE]\nSOFTWARE\\Quorvane\\Tallimer\\GLOBAL="@ByteArray(%s)"\n' \
        "$record" > "$TALLIMER_HOME/registry.ini"
    "$tallimer" & pid=$!
    for _ in $(seq 100); do
        [ "$(grep -c . "$journal" 2>/dev/null)" = 2 ] && break  # header and the Start
        sleep 0.1
    done
    [ "$(grep -c . "$journal")" = 2 ] || { echo "$signal: no automatic Start"; exit 1; }
    before="$(cat "$settings" 2>/dev/null || true)"
    kill -"$signal" "$pid"
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || { echo "$signal: exit code $status"; exit 1; }
    [ "$(tail -n 1 "$journal" | cut -c11)" = $'\t' ] || { echo "$signal: no Stop"; exit 1; }
    [ "$(cat "$settings")" != "$before" ] || { echo "$signal: settings not saved"; exit 1; }
done
echo "the session's end recorded the Stop and saved the settings"
