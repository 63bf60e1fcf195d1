#!/usr/bin/env bash
# Journals larger than the memory the program may have: the day and report views read them in
# bounded memory; a list too large for memory fails as a journal that cannot be opened, with
# a diagnostics line, never an abort.
set -euo pipefail
report="$1"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export TALLIMER_HOME="$home"
journal="$home/files/My Documents/Tallimer.txt"
mkdir -p "$(dirname "$journal")"
ulimit -v 200000  # kB: the program needs about a quarter of it

# Sparse: holes read as NUL bytes and no line ends.
truncate -s 1G "$journal"
for view in day report; do
    "$report" --now "2004/01/23 13:00" --view "$view" >/dev/null
done

# 120 MB of entries: the list would need more than the limit.
truncate -s 0 "$journal"
yes "$(printf '2004/01/23 08:00\tAlpha\r')" | head -c 120M >"$journal" || true
"$report" --now "2004/01/23 13:00" --view day >/dev/null
status=0
"$report" --now "2004/01/23 13:00" --view list >"$home/out" 2>"$home/err" || status=$?
[ "$status" = 1 ] || { echo "list: status $status, not 1"; exit 1; }
[ ! -s "$home/out" ] || { echo "list: output despite the failure"; exit 1; }
grep -q "rescan: .*: Cannot allocate memory" "$home/err" || { echo "list: no diagnostics line"; exit 1; }
grep -q "cannot open" "$home/err" || { echo "list: no message"; exit 1; }
