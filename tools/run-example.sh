#!/usr/bin/env bash
# Builds the Linux build if needed and flies the example report
# (examples/tolvanix.rec, Oslo to Bergen) with the gauge module loaded.
# The report the gauge wrote, the nav-log, the pictures of the face, the map
# of the route and the log end up in out/example/. Extra arguments go to
# vqsim (see build/linux32/vqsim --help).
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ! -f build/linux32/CMakeCache.txt ]]; then
    cmake --preset linux32 >/dev/null
fi
cmake --build --preset linux32 >/dev/null
out=out/example
build/linux32/vqsim examples/tolvanix.rec --out "$out" --clean "$@"
echo
echo "The report the gauge wrote:  $out/tolvanix.rec   (nav-log: $out/navlog.txt)"
echo "Pictures of the face:        $out/face-*.png (one per checkpoint)"
echo "Map of the route:            $out/route.svg"
