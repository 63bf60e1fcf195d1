#!/usr/bin/env bash
# The Debian package that script/package makes depends on what the program loads without
# linking it, Qt's Wayland platform, besides the libraries dpkg-shlibdeps finds.
#   package_test.sh BUILD_DIR
set -euo pipefail
build="$1"
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
depends="$(dpkg-deb -f "$out"/tallimer_*.deb Depends)"
for package in qt6-wayland libqt6widgets6; do
    [[ ", $depends," =~ ,\ ${package}[\ ,] ]] ||
        { echo "the package does not depend on $package: $depends"; exit 1; }
done
