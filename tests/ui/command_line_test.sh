#!/usr/bin/env bash
# The options of both programs, run without a display: help, version, and the usage with
# exit status 2 for an unknown option; tallimer-report's --output and its PDF.
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

# --output FILE gets exactly what standard output would; a run that fails leaves FILE as it was
# and nothing beside it; a file that cannot be written is named, with status 1.
docs="$home/files/My Documents"
mkdir -p "$docs"
printf 'Date       Time \tComment\r\n2004/01/23 08:00\tAlpha\r\n' >"$docs/Tallimer.txt"
"$report" --view list --format csv >"$home/stdout.csv" || fail "list exited with $?"
"$report" --view list --format csv --output "$home/list.csv" >"$home/out" || fail "--output exited with $?"
[ ! -s "$home/out" ] && cmp -s "$home/stdout.csv" "$home/list.csv" || fail "--output wrote otherwise"
mkdir "$home/sheets" && echo old >"$home/sheets/list.txt"
TALLIMER_HOME="$home/sheets" "$report" --view list --output "$home/sheets/list.txt" 2>/dev/null
status=$?
[ "$status" -eq 1 ] || fail "a run without a journal exited with $status"
[ "$(cat "$home/sheets/list.txt")" = old ] && [ "$(ls "$home/sheets")" = list.txt ] ||
    fail "a failed run touched its output: $(ls "$home/sheets")"
"$report" --view day --output "$home/stdout.csv/day.txt" >"$home/out" 2>"$home/err"
status=$?
[ "$status" -eq 1 ] && [ ! -s "$home/out" ] || fail "an unwritable --output exited with $status"
grep -q "^tallimer-report: cannot write $home/stdout.csv/day.txt: " "$home/err" || fail "$(cat "$home/err")"

# A PDF: made without a display (the xcb platform above has none), never on a terminal, for the
# timesheet only.
"$report" --view timesheet --date 2004/01/23 --format pdf --output "$home/sheet.pdf" ||
    fail "--format pdf exited with $?"
[ "$(head -c 5 "$home/sheet.pdf")" = "%PDF-" ] || fail "no PDF written"
script -qec "\"$report\" --view timesheet --format pdf" /dev/null >"$home/out"
status=$?
[ "$status" -eq 2 ] && grep -q "not written to a terminal" "$home/out" ||
    fail "a PDF to a terminal exited with $status"
"$report" --view week --format pdf --output "$home/week.pdf" 2>/dev/null
status=$?
[ "$status" -eq 2 ] && [ ! -e "$home/week.pdf" ] || fail "a week as PDF exited with $status"
echo "output files written"
