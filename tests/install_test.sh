#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop reads: the files are
# in place, the desktop entry and the AppStream metadata validate, the installed programs run.
set -euo pipefail
build="$1" app_id="$2"
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is missing (script/bootstrap --test installs it)"
        exit 77
    fi
done
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

share="$prefix/share"
for file in bin/tallimer bin/tallimer-report share/man/man1/tallimer.1 \
    share/man/man1/tallimer-report.1 share/icons/hicolor/scalable/apps/$app_id.svg; do
    [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
for size in 16 32 48 64 128 256; do
    icon="$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    file "$icon" | grep -q "PNG image data, $size x $size" || { echo "no $size px icon"; exit 1; }
done
desktop-file-validate "$share/applications/$app_id.desktop"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml"
QT_QPA_PLATFORM=xcb DISPLAY= "$prefix/bin/tallimer" --version
# The installed tallimer-report finds its PDF module, and needs no display for it.
mkdir -p "$prefix/home/files/My Documents"
: >"$prefix/home/files/My Documents/Tallimer.txt"
TALLIMER_HOME="$prefix/home" QT_QPA_PLATFORM=xcb DISPLAY= "$prefix/bin/tallimer-report" \
    --view timesheet --format pdf --output "$prefix/sheet.pdf"
[ "$(head -c 5 "$prefix/sheet.pdf")" = "%PDF-" ] || { echo "no PDF from the installed program"; exit 1; }
