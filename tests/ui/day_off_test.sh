#!/usr/bin/env bash
# Days off from the command line without a window and without a display: the balance line and
# exit code 0, the days file's lines, exit code 2 with the usage for bad requests, 1 when the
# days file cannot be used.
set -uo pipefail
tallimer="$1"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export TALLIMER_HOME="$home" QT_QPA_PLATFORM=xcb DISPLAY= WAYLAND_DISPLAY=
days="$home/files/My Documents/Tallimer.days"
fail() { echo "$*"; exit 1; }
# Runs the command; fails unless it exits with $1 and prints $2 on standard output.
expect() {
    local status=$1 printed=$2 out
    shift 2
    out="$("$tallimer" "$@" 2>"$home/err")"
    local got=$?
    [ "$got" -eq "$status" ] || fail "$* exited with $got: $(cat "$home/err")"
    [ "$out" = "$printed" ] || fail "$* printed '$out', not '$printed'"
}

# A week of 8:00 Monday to Friday (the default target is 0).
mkdir -p "${days%/*}"
printf '2026/01/05\tweek\t8:00 8:00 8:00 8:00 8:00 0:00 0:00\n' >"$days"

# Monday to Sunday: the weekend is left alone; a vacation meets the target, nothing is owed.
expect 0 "Flexitime in total: + 00:00" --day-off 2026/01/05..2026/01/11 vacation
# A flexitime day off owes the whole target, half or not; a Saturday asked for alone is marked
# (its target is 0).
expect 0 "Flexitime in total: - 08:00" --day-off 2026/01/12 flexday --half
expect 0 "Flexitime in total: - 16:00" --day-off 2026/01/13 flexday
expect 0 "Flexitime in total: - 16:00" --day-off 2026/01/17 flexday
expect 0 "Flexitime in total: - 16:00" --day-off 2026/01/17 flexday  # nothing changed
grep -v '^#' "$days" >"$home/lines"
diff - "$home/lines" <<'LINES' || fail "days file after marking"
2026/01/05	week	8:00 8:00 8:00 8:00 8:00 0:00 0:00
2026/01/05	vacation	whole
2026/01/06	vacation	whole
2026/01/07	vacation	whole
2026/01/08	vacation	whole
2026/01/09	vacation	whole
2026/01/12	flexday	half
2026/01/13	flexday	whole
2026/01/17	flexday	whole
LINES

# Clearing clears every date of the range, the weekend's too.
expect 0 "Flexitime in total: + 00:00" --clear-day-off 2026/01/09..2026/01/17
[ "$(grep -vc '^#' "$days")" -eq 5 ] || fail "clear left: $(cat "$days")"

# The calendar's all-day workdays become whole holidays; its Saturday and timed event do not.
cat >"$home/h.ics" <<'ICS'
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//test//EN
BEGIN:VEVENT
UID:a
DTSTART;VALUE=DATE:20260501
DTEND;VALUE=DATE:20260503
SUMMARY:May Day and Saturday
END:VEVENT
BEGIN:VEVENT
UID:b
DTSTART:20260504T090000Z
DTEND:20260504T100000Z
SUMMARY:A meeting
END:VEVENT
END:VCALENDAR
ICS
expect 0 "Flexitime in total: + 00:00" --import-holidays "$home/h.ics"
grep -q $'^2026/05/01\tholiday\twhole$' "$days" && ! grep -q '2026/05/0[234]' "$days" ||
    fail "import: $(cat "$days")"

before="$(cat "$days")"
for bad in "--day-off 2026/01/20 leave" "--day-off 2026/02/30 sick" "--day-off 2026/01/20" \
           "--day-off 2026/01/20..2026/01/19 sick" "--clear-day-off 2026/01/20 --half" \
           "--half" "--clear-day-off 2026/01/20 sick" "--import-holidays $home/none.ics"; do
    # shellcheck disable=SC2086
    expect 2 "" $bad
    grep -q "^usage: tallimer" "$home/err" || fail "$bad: no usage: $(cat "$home/err")"
done
grep -q "none.ics" "$home/err" || fail "the calendar's error is not told: $(cat "$home/err")"
[ "$(cat "$days")" = "$before" ] || fail "a bad request changed the days file"

# A days file that cannot be read: exit 1, the message with its path, nothing printed.
rm "$days" && mkdir "$days"
expect 1 "" --day-off 2026/01/20 sick
grep -q "^tallimer: Error with database access: $days\$" "$home/err" ||
    fail "database error: $(cat "$home/err")"
echo "days off changed from the command line"
