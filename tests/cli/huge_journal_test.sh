#!/usr/bin/env bash
# Journals larger than the memory the program may have: every view reads them in bounded
# memory; the list and the periods read their lines again rather than keep them.
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

# 120 MB of entries, one date: more than the limit if the list or the periods kept them.
truncate -s 0 "$journal"
yes "$(printf '2004/01/23 08:00\tAlpha\r')" | head -c 120M >"$journal" || true
lines=$(wc -l <"$journal")
"$report" --now "2004/01/23 13:00" --view day >/dev/null
"$report" --now "2004/01/23 13:00" --view list >"$home/out"
[ "$(wc -l <"$home/out")" = "$lines" ] || { echo "list: not every line"; exit 1; }
"$report" --now "2004/01/23 13:00" --view periods --format csv >"$home/out"
[ "$(wc -l <"$home/out")" = "$(( lines / 2 + 1 ))" ] || { echo "periods: not every period"; exit 1; }
