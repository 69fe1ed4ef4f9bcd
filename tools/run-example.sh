#!/bin/bash
# TEMPORARY stand-in for the main job: builds the linux32 module and runs the
# report tests. It will be replaced by the run of the host simulator with the
# gauge on an example flight.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mkdir -p build
cmake --preset linux32 >build/linux32.log 2>&1 || { cat build/linux32.log; exit 1; }
cmake --build --preset linux32 >>build/linux32.log 2>&1 || { tail -n 60 build/linux32.log; exit 1; }
ctest --preset linux32 -R report --no-tests=error
echo "the host simulator is not there yet; report tests pass"
