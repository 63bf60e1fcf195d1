#!/usr/bin/env bash
# A second start with the same device folder hands over to the running program and ends
# with exit code 0 before it reads or writes anything; two starts at the same moment leave
# exactly one running.
set -euo pipefail
tallimer="$1"
work="$(mktemp -d)"
pids=()
# The programs save their settings as they end, so they are waited for before the clean-up.
trap 'kill "${pids[@]}" 2>/dev/null || true; wait "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen

# Waits until an instance listens: its socket is named after the device folder.
wait_for_socket() {
    local socket
    socket="$XDG_RUNTIME_DIR/Tallimer-$(printf '%s' "$(realpath "$1")" | sha1sum | cut -c1-16)"
    for _ in $(seq 100); do
        [ -S "$socket" ] && return 0
        sleep 0.1
    done
    echo "no instance started"
    exit 1
}

# The first instance listens before its start-up writes the day's files: the folder is
# compared once that has settled.
snapshot() { find "$TALLIMER_HOME" -printf '%p %s %T@\n' | sort; }
wait_for_quiet_folder() {
    local last now
    last="$(snapshot)"
    for _ in $(seq 20); do
        sleep 0.5
        now="$(snapshot)"
        [ "$now" = "$last" ] && return 0
        last="$now"
    done
    echo "the first instance kept writing"
    exit 1
}

# Two starts at the same moment: the one that does not get the lock may still be starting
# when the other listens, so it is given time to hand over and end.
count_running() {
    local running=0 pid
    for pid in "$@"; do
        if kill -0 "$pid" 2>/dev/null && [[ "$(ps -o stat= -p "$pid")" != Z* ]]; then
            running=$((running + 1))
        fi
    done
    echo "$running"
}

export TALLIMER_HOME="$work/home"
"$tallimer" & pids+=($!)
wait_for_socket "$TALLIMER_HOME"
wait_for_quiet_folder
before="$(snapshot)"
status=0
timeout 10 "$tallimer" || status=$?
after="$(snapshot)"
[ "$status" -eq 0 ] || { echo "second start exited with $status"; exit 1; }
kill -0 "${pids[0]}" || { echo "the first instance is gone"; exit 1; }
[ "$before" = "$after" ] || { echo "the second start touched the device folder"; exit 1; }

for round in 1 2 3; do
    export TALLIMER_HOME="$work/together$round"
    "$tallimer" & a=$!
    "$tallimer" & b=$!
    pids+=("$a" "$b")
    wait_for_socket "$TALLIMER_HOME"
    for _ in $(seq 100); do
        [ "$(count_running "$a" "$b")" -le 1 ] && break
        sleep 0.1
    done
    # Whichever stays must keep running.
    sleep 0.5
    running="$(count_running "$a" "$b")"
    [ "$running" -eq 1 ] || { echo "round $round: $running instances run"; exit 1; }
done
echo "second starts handed over"
