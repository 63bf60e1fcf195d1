#!/usr/bin/env bash
# A days-off request while a window runs for the device folder is applied by that window: the
# command prints the window's reply and exits with its code, and the balance the window saves
# as it ends includes the change.
set -euo pipefail
tallimer="$1"
work="$(mktemp -d)"
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen TALLIMER_HOME="$work/home"
fail() { echo "$*"; exit 1; }

# A week of 8:00 Monday to Friday (the default target is 0).
mkdir -p "$TALLIMER_HOME/files/My Documents"
printf '2026/01/05\tweek\t8:00 8:00 8:00 8:00 8:00 0:00 0:00\n' \
    >"$TALLIMER_HOME/files/My Documents/Tallimer.days"
"$tallimer" & pid=$!
socket="$XDG_RUNTIME_DIR/Tallimer-$(printf '%s' "$(realpath -m "$TALLIMER_HOME")" | sha1sum | cut -c1-16)"
for _ in $(seq 100); do
    [ -S "$socket" ] && break
    sleep 0.1
done
[ -S "$socket" ] || fail "no instance started"

status=0
out="$(timeout 20 "$tallimer" --day-off 2026/01/12 flexday)" || status=$?
[ "$status" -eq 0 ] && [ "$out" = "Flexitime in total: - 08:00" ] ||
    fail "hand-over exited with $status, printed '$out'"
status=0
out="$(timeout 20 "$tallimer" --day-off 2026/01/20..2026/01/19 sick 2>&1)" || status=$?
[ "$status" -eq 2 ] || fail "a bad request exited with $status"
kill -0 "$pid" || fail "the window is gone"

# The window saves its balance as it ends; clearing the day off again, now without a window,
# gives zero only if that balance held the window's change.
kill -TERM "$pid"
wait "$pid" || fail "the window exited with $?"
pid=
out="$("$tallimer" --clear-day-off 2026/01/12)"
[ "$out" = "Flexitime in total: + 00:00" ] || fail "after the window: '$out'"
echo "days off handed over to the running window"
