#!/usr/bin/env bash
# What a screen reader gets of the main window, Setup and About, walked over AT-SPI under Xvfb
# and compared with the golden lists. Setup and About are opened from the keyboard (F10, the
# window's menu), as a person without a mouse opens them. Skipped (77) without the tools.
#   atspi_test.sh TALLIMER GOLDEN_DIR      (UPDATE=1 writes the golden lists instead)
set -euo pipefail
tallimer="$1"
golden="$2"
here="$(cd "$(dirname "$0")" && pwd)"
python=/usr/bin/python3  # pyatspi is Debian's, not in another Python's path
for tool in Xvfb xdotool dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "skipped: at-spi2-core is not installed"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }

# A display of its own (Xvfb says its number once it takes connections) and a session bus of
# its own, on which the accessibility bus is started.
if [ "${ATSPI_INNER:-}" != 1 ]; then
    work="$(mktemp -d)"
    # -noreset: the accessibility bus's launcher is a client that comes and goes first.
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$work/display")" ATSPI_WORK="$work" ATSPI_INNER=1
    status=0
    dbus-run-session -- "$0" "$@" 2>"$work/bus.log" || status=$?
    [ "$status" = 0 ] || cat "$work/bus.log" "$work/xvfb.log"
    exit "$status"
fi

work="$ATSPI_WORK"
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" TALLIMER_HOME="$work/home" QT_ACCESSIBILITY=1 \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
journal="$TALLIMER_HOME/files/My Documents/Tallimer.txt"
mkdir -p "$(dirname "$journal")"
today=$(date +%Y/%m/%d)
printf 'Date       Time \tComment\r\n%s 08:00\tAlpha\r\n%s\t12:00\tAlpha\r\n' "$today" "$today" \
    > "$journal"

"$launcher" --launch-immediately &
launcher_pid=$!
"$tallimer" 2>"$work/stderr" &
pid=$!
trap 'kill "$pid" "$launcher_pid" 2>/dev/null; wait 2>/dev/null || true' EXIT
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Tallimer$' 2>/dev/null | head -1) &&
        [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the window did not show"; cat "$work/stderr"; exit 1; }

failed=0
check() {  # name, what shows that it is open, then the keys that open it
    local name="$1" awaited="$2"
    shift 2
    if [ $# -gt 0 ]; then
        # No window manager: the keys go to the window under the pointer.
        xdotool mousemove --window "$window" 20 20 windowfocus --sync "$window"
        xdotool key --delay 150 "$@"
    fi
    "$python" "$here/atspi_tree.py" Tallimer "$awaited" > "$work/$name.txt"
    if [ "${UPDATE:-}" = 1 ]; then
        cp "$work/$name.txt" "$golden/atspi-$name.txt"
    elif ! diff -u "$golden/atspi-$name.txt" "$work/$name.txt"; then
        echo "FAILED: $name differs from its golden list"
        failed=1
    fi
}
# The menu opens with no item chosen; Up goes to its last item first: the zoom's three, then
# Exit, About, Setup and the views.
check main "Flexitime in total, "
check setup "[dialog] 'Setup'" F10 Up Up Up Up Up Up Return
xdotool key Escape
check about "[dialog] 'About" F10 Up Up Up Up Up Return
xdotool key Escape
check report "'Monthly report'" F10 Up Up Up Up Up Up Up Return
check list "'Entry list'" F10 Up Up Up Up Up Up Up Up Return
exit "$failed"
