#!/usr/bin/env bash
# The options of both programs, run without a display: help, version, and the usage with
# exit status 2 for an unknown option.
set -uo pipefail
tallimer="$1" report="$2" version="$3"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
# xcb without a display: the programs end at once if they try to open a window.
export TALLIMER_HOME="$home" QT_QPA_PLATFORM=xcb DISPLAY= WAYLAND_DISPLAY=
fail() { echo "$*"; exit 1; }

out="$("$tallimer" --help)" || fail "--help exited with $?"
grep -q "^Data folder: $home\$" <<<"$out" || fail "--help names no data folder: $out"
grep -q "Esc, F24" <<<"$out" && grep -q "^Exit status:" <<<"$out" || fail "--help: $out"
for program in "$tallimer" "$report"; do
    [ "$("$program" --version)" = "Tallimer $version" ] || fail "$program --version"
done
"$tallimer" --bogus >"$home/out" 2>"$home/err"
status=$?
[ "$status" -eq 2 ] || fail "unknown option exited with $status"
[ ! -s "$home/out" ] && grep -q "^usage: tallimer" "$home/err" || fail "unknown option: no usage"
echo "options answered"
