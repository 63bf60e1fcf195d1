#!/usr/bin/env bash
# The program on Qt's Wayland platform, under compositors of the test's own. Skipped (77) without
# weston, Xvfb, xdotool or Qt's Wayland platform.
#   wayland_test.sh TALLIMER
#
# 1. A headless weston: the window maps (WAYLAND_DEBUG shows its xdg_toplevel and a buffer
#    attached and committed to its surface), and a second start given an activation token hands
#    over: it exits 0 without a window of its own, and the first asks the compositor to activate
#    its window with that token where the compositor offers xdg_activation_v1 (weston 10 does
#    not: the first instance then goes on as before, and ends cleanly at SIGTERM).
# 2. Keys: a headless weston has no input devices. A second weston runs with its X11 back end
#    inside a private Xvfb; xdotool presses keys in weston's X window, and weston passes them to
#    its focused Wayland client as any keyboard's. The key is held for real, so the Wayland
#    platform's own repeat (which Qt makes in the client, after the compositor's repeat delay)
#    runs: a held Enter must save exactly one entry.
set -euo pipefail
tallimer="$1"
# Under LeakSanitizer: Qt's own lifelong allocations are not reported, and their stacks reach
# through Qt's libraries, which have no frame pointers, so they can be told apart.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/qt_leaks.supp"
for tool in weston Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
programs=()  # the programs under test, ended first, as they save their settings as they end
servers=()   # compositors and the X server, ended after them
cleanup() {
    local group
    for group in programs servers; do
        local -n pids="$group"
        [ ${#pids[@]} -eq 0 ] && continue
        kill "${pids[@]}" 2>/dev/null || true
        wait "${pids[@]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1
unset DISPLAY
token="tallimer-test-token-$$"

# Polls for up to ten seconds until the command succeeds.
await() {
    for _ in $(seq 200); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}
fail() {
    echo "FAILED: $1"
    shift
    for log in "$@"; do
        echo "== $log"
        tail -n 30 "$log"
    done
    exit 1
}

# weston with the given back end and socket; waits until it takes clients.
start_weston() {
    local socket="$1"
    shift
    weston --socket="$socket" --idle-time=0 --log="$work/$socket.log" "$@" &
    servers+=($!)
    await test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start" "$work/$socket.log"
}

# The window's surface (the first toplevel's) has had a buffer attached and committed.
mapped() {
    local surface
    surface="$(sed -n 's/.*get_xdg_surface(new id xdg_surface@[0-9]*, \(wl_surface@[0-9]*\)).*/\1/p' \
        "$1" | head -n 1)"
    [ -n "$surface" ] || return 1
    grep -q 'xdg_surface@[0-9]*\.get_toplevel' "$1" || return 1
    awk -v s="$surface" 'index($0, "-> " s ".attach(wl_buffer@") { a = 1 }
        a && index($0, "-> " s ".commit()") { found = 1 } END { exit !found }' "$1"
}
# Starts the program on the compositor named by WAYLAND_DISPLAY, its protocol log in $1.
start_program() {
    "$tallimer" 2>"$1" &
    programs+=($!)
    if ! await mapped "$1"; then
        grep -q 'Could not find the Qt platform plugin "wayland"' "$1" &&
            { echo "skipped: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }
        fail "the window did not map" "$1"
    fi
}

# 1. Headless: the window maps; a second start hands over.
export WAYLAND_DISPLAY="tallimer-wl-$$" TALLIMER_HOME="$work/home"
start_weston "$WAYLAND_DISPLAY" --backend=headless-backend.so
first_log="$work/first.log"
start_program "$first_log"
first=${programs[-1]}
status=0
XDG_ACTIVATION_TOKEN="$token" timeout 10 "$tallimer" 2>"$work/second.log" || status=$?
[ "$status" -eq 0 ] || fail "the second start exited with $status" "$work/second.log"
! grep -q 'get_toplevel' "$work/second.log" || fail "the second start showed a window"
if grep -q 'global([0-9]*, "xdg_activation_v1"' "$first_log"; then
    await grep -q "xdg_activation_v1@[0-9]*\.activate(\"$token\", wl_surface@" "$first_log" ||
        fail "the first instance did not activate its window with the token" "$first_log"
else
    echo "note: the compositor offers no xdg_activation_v1; the window cannot take the focus"
fi
kill -0 "$first" 2>/dev/null || fail "the first instance is gone after the hand-over" "$first_log"
kill "$first"
status=0
wait "$first" || status=$?
[ "$status" -eq 0 ] || fail "the first instance ended with $status" "$first_log"

# 2. Keys, through a weston nested in a private Xvfb.
Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>"$work/display" 2>"$work/xvfb.log" &
servers+=($!)
await test -s "$work/display" || fail "Xvfb did not start" "$work/xvfb.log"
DISPLAY=":$(cat "$work/display")"
export DISPLAY WAYLAND_DISPLAY="tallimer-wl-keys-$$" TALLIMER_HOME="$work/keys"
start_weston "$WAYLAND_DISPLAY" --backend=x11-backend.so --use-pixman --width=640 --height=480
keys_log="$work/keys.log"
start_program "$keys_log"
await grep -q 'wl_keyboard@[0-9]*\.enter(' "$keys_log" || fail "the window got no keyboard" "$keys_log"
# No X window manager: the keys go to the window under the pointer, weston's.
xdotool mousemove 320 240
journal="$TALLIMER_HOME/files/My Documents/Tallimer.txt"
entries() { if [ -f "$journal" ]; then grep -c '^[0-9]' "$journal" || true; else echo 0; fi; }
[ "$(entries)" = 0 ] || fail "the journal holds entries before the key"
xdotool keydown Return
saved() { [ "$(entries)" != 0 ]; }
await saved || { xdotool keyup Return; fail "a held Enter saved nothing" "$keys_log"; }
# Held well past the compositor's repeat delay (weston's: 400 ms) and the long press.
sleep 1.5
xdotool keyup Return
# The release has reached the program, which has had the chance to act on any repeat.
await grep -q 'wl_keyboard@[0-9]*\.key([0-9]*, [0-9]*, 28, 0)' "$keys_log" ||
    fail "the release did not arrive" "$keys_log"
repeats=$(grep -c 'wl_keyboard@[0-9]*\.key([0-9]*, [0-9]*, 28, 1)' "$keys_log" || true)
[ "$repeats" = 1 ] || fail "the compositor sent $repeats presses for one held key" "$keys_log"
[ "$(entries)" = 1 ] || fail "a held Enter saved $(entries) entries" "$journal"
echo "the window maps, hands over and takes keys under Wayland"
