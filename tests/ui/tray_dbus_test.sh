#!/usr/bin/env bash
# The tray icon over StatusNotifierItem, end to end: a private session bus, a minimal
# StatusNotifierWatcher (sni_watcher.py) and the program under Xvfb. With the host there at
# start-up the item registers, with the golden properties and menu (times masked); with a
# watcher, or only its host, that comes after the window showed, the item registers then.
# Skipped (77) without the tools.
#   tray_dbus_test.sh TALLIMER GOLDEN_DIR   (UPDATE=1 writes the golden list instead;
#                                            TRAY_TEST_DISPLAY=:81 takes that display)
set -euo pipefail
tallimer="$1"
golden="$2/sni-tray.txt"
here="$(cd "$(dirname "$0")" && pwd)"
# Under LeakSanitizer: Qt's own lifelong allocations are not reported, and their stacks reach
# through Qt's libraries, which have no frame pointers, so they can be told apart.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/qt_leaks.supp"
python=/usr/bin/python3  # python3-gi is Debian's, not in another Python's path
for tool in Xvfb xdotool dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
"$python" -c 'from gi.repository import Gio' 2>/dev/null ||
    { echo "skipped: python3-gi is not installed"; exit 77; }

work="$(mktemp -d)"
pids=()
stop() {  # the processes started here, by their ids
    for pid in "$@"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap 'stop "${pids[@]}"; rm -rf "$work"' EXIT
# Runs a command until it succeeds, for at most 10 s.
await() {
    local deadline=$((SECONDS + 10))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

if [ -n "${TRAY_TEST_DISPLAY:-}" ]; then
    Xvfb "$TRAY_TEST_DISPLAY" -screen 0 1024x768x24 2>"$work/xvfb.log" &
    pids+=($!)
    export DISPLAY="$TRAY_TEST_DISPLAY"
    await xdotool getdisplaygeometry
else
    Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    await test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
fi
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
unset XDG_CURRENT_DESKTOP  # a desktop of its own may make Qt send the icon as a file

today=$(date +%Y/%m/%d)
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

# A case: a bus of its own, a home of its own with the journal `entries`.
begin() {
    local name="$1" entries="$2"
    case_dir="$work/$name"
    mkdir -p "$case_dir/home/files/My Documents"
    printf 'Date       Time \tComment\r\n%b' "$entries" \
        >"$case_dir/home/files/My Documents/Tallimer.txt"
    dbus-daemon --session --nofork --print-address=3 3>"$case_dir/address" 2>/dev/null &
    bus=$!
    pids+=("$bus")
    await test -s "$case_dir/address"
    export DBUS_SESSION_BUS_ADDRESS="$(head -1 "$case_dir/address")"
    export TALLIMER_HOME="$case_dir/home"
}
watcher() {
    "$python" -u "$here/sni_watcher.py" serve "$@" >"$case_dir/watcher.log" &
    watcher_pid=$!
    pids+=("$watcher_pid")
    await grep -q '^watcher' "$case_dir/watcher.log"
}
program() {
    "$tallimer" 2>"$case_dir/stderr" &
    program_pid=$!
    pids+=("$program_pid")
}
shown() {
    xdotool search --onlyvisible --pid "$program_pid" --name '^Tallimer$'
}
# The item as the watcher's host reads it, once its tooltip shows the day.
item() {
    "$python" "$here/sni_watcher.py" dump >"$case_dir/item.txt" 2>&1 &&
        grep -q 'Flexitime in total' "$case_dir/item.txt"
}
# The end of a case: the program ends at the session's end as always, with exit code 0.
end() {
    local status=0
    kill -TERM "$program_pid"
    wait "$program_pid" || status=$?
    [ "$status" = 0 ] || fail "$1: the program ended with $status"
    stop "$watcher_pid" "$bus"
}

# The host is there at start-up: the item with its properties and its menu, as golden.
begin host-first "$today 08:00\tAlpha\r\n$today\t12:00\tAlpha\r\n"
watcher
program
if await item; then
    grep -q '^item ' "$case_dir/watcher.log" || fail "host-first: no RegisterStatusNotifierItem"
    sed -E 's/[0-9]+:[0-9]{2}/99:99/g' "$case_dir/item.txt" >"$work/sni-tray.txt"
    if [ "${UPDATE:-}" = 1 ]; then
        cp "$work/sni-tray.txt" "$golden"
    elif ! diff -u "$golden" "$work/sni-tray.txt"; then
        fail "host-first: the item differs from its golden list"
    fi
else
    fail "host-first: no item registered"
    cat "$case_dir/item.txt" "$case_dir/stderr"
fi
closed_icon=$(grep '^IconPixmap:' "$case_dir/item.txt" || true)
end host-first

# The panel comes after the window showed: its watcher with a host, or a host registering with
# a watcher that was there. The icon shows the open period.
late() {
    local name="$1"
    if await item; then
        grep -q '^  Save Entry: Stop$' "$case_dir/item.txt" ||
            fail "$name: the menu does not offer Save Entry: Stop"
        [ "$(grep '^IconPixmap:' "$case_dir/item.txt")" != "$closed_icon" ] ||
            fail "$name: the icon does not show the open period"
    else
        fail "$name: no item registered after the host came"
        cat "$case_dir/item.txt" "$case_dir/stderr"
    fi
    end "$name"
}
begin watcher-later "$today 08:00\tAlpha\r\n"
program
await shown || fail "watcher-later: the window did not show"
watcher
late watcher-later

begin host-later "$today 08:00\tAlpha\r\n"
watcher --no-host
program
await shown || fail "host-later: the window did not show"
kill -USR1 "$watcher_pid"
late host-later
exit "$failed"
