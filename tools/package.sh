#!/bin/bash
# Builds the pilots' package VQgauge-<version>.zip from a finished win32 build,
# without building anything: the gauge file goes in byte for byte as the tests
# loaded it. Run it after the build and its tests (tools/build-and-test.sh).
#
#   tools/package.sh [BUILD_DIR]    (default build/win32; the zip lands there)
#
# The zip holds, with no folder entries of its own:
#   GAUGES/VQgauge.gau     the gauge file
#   VQgauge.txt            the pilot's guide (docs/VQgauge.txt, CR LF)
#   vqreport.exe           vqreport without its debug information and symbols
#   EXAMPLE/EXAMPLE.REC    the example report, in a folder and under a name
#                          of its own, so that unpacking into the simulator's
#                          folder never replaces or becomes a live report,
#                          even with an unzip program that drops the folders
# Before packing, the gauge file must pass the checks of the Windows 95
# machines (tests/gauge/check_gauge_file.sh). Needs zip and the mingw binutils.
set -euo pipefail

src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$src/build/win32}" && pwd)"
die() { echo "package.sh: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null) || true
[ -n "$version" ] || die "$build is not a configured build (no project version in CMakeCache.txt)"
for f in "$build/VQgauge.gau" "$build/vqreport.exe"; do
  [ -f "$f" ] || die "$f is missing: build the win32 preset first"
done
export OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump} NM=${NM:-i686-w64-mingw32-nm}
for check in imports tls pentium_code size; do
  "$src/tests/gauge/check_gauge_file.sh" "$check" "$build/VQgauge.gau" >/dev/null ||
    die "VQgauge.gau fails the $check check: run tests/gauge/check_gauge_file.sh $check $build/VQgauge.gau"
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/GAUGES" "$stage/EXAMPLE"
cp -p "$build/VQgauge.gau" "$stage/GAUGES/"
cp -p "$src/docs/VQgauge.txt" "$stage/"
cp -p "$src/examples/tolvanix.rec" "$stage/EXAMPLE/EXAMPLE.REC"
${STRIP:-i686-w64-mingw32-strip} -p -o "$stage/vqreport.exe" "$build/vqreport.exe"

zipfile="$build/VQgauge-$version.zip"
rm -f "$zipfile"
(cd "$stage" && zip -q -X -D "$zipfile" GAUGES/VQgauge.gau VQgauge.txt vqreport.exe EXAMPLE/EXAMPLE.REC)
echo "$zipfile"
