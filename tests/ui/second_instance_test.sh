#!/usr/bin/env bash
# A second start with the same device folder hands over to the running program and ends
# with exit code 0 before it reads or writes anything.
set -euo pipefail
tallimer="$1"
home="$(mktemp -d)"
trap 'kill "$first" 2>/dev/null || true; rm -rf "$home"' EXIT
export TALLIMER_HOME="$home" QT_QPA_PLATFORM=offscreen

"$tallimer" & first=$!
# Wait until the first listens: its socket is named after the device folder.
socket="${TMPDIR:-/tmp}/Tallimer-$(printf '%s' "$home" | sha1sum | cut -c1-16)"
for _ in $(seq 100); do
    [ -S "$socket" ] && break
    sleep 0.1
done
[ -S "$socket" ] || { echo "the first instance did not start"; exit 1; }
before="$(find "$home" -printf '%p %s %T@\n' | sort)"

timeout 10 "$tallimer"
status=$?
after="$(find "$home" -printf '%p %s %T@\n' | sort)"

[ "$status" -eq 0 ] || { echo "second start exited with $status"; exit 1; }
kill -0 "$first" || { echo "the first instance is gone"; exit 1; }
[ "$before" = "$after" ] || { echo "the second start touched the device folder"; exit 1; }
echo "second start handed over"
