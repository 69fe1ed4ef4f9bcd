#!/usr/bin/env bash
# Measures the host simulator on a long flight: a report of 100 checkpoints
# (every 25th without a position, an approach entry near the end) flown in
# 12 hours across midnight, at 18 frames a second of simulated time.
#
#   tools/bench-vqsim.sh [linux32|win32] [vqsim options...]
#
# Builds the preset if needed, writes the report to build/<preset>/bench-vqsim/
# and flies it there; vqsim's last lines give the wall time and the speed-up
# over real time. Extra options go to vqsim (e.g. --no-pictures).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=linux32
if [[ $# -gt 0 && ( $1 == linux32 || $1 == win32 ) ]]; then preset=$1; shift; fi
build=build/$preset
[[ -d $build ]] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target vqsim >/dev/null

work=$build/bench-vqsim
mkdir -p "$work"
report=$work/long-flight.rec
hours=12
# 100 checkpoints eastwards along 50 degrees north with a gentle zigzag; the
# ground speed is chosen so that the route takes exactly 12 hours.
speed=$(awk -v hours=$hours -v out="$report" 'BEGIN {
    n = 100; pi = 3.14159265358979
    for (k = 0; k < n; k++) { lat[k] = 50 + 0.5 * sin(k * 0.7); lon[k] = -60 + k * 1.32 }
    total = 0
    for (k = 1; k < n; k++) {
        dlat = lat[k] - lat[k-1]; dlon = (lon[k] - lon[k-1]) * cos((lat[k] + lat[k-1]) / 2 * pi / 180)
        leg[k] = 60 * sqrt(dlat * dlat + dlon * dlon); total += leg[k]
    }
    speed = total / hours
    printf "Vardemolinquex 2.0\r\n" > out
    for (h = 1; h <= 27; h++) {
        v = ""
        if (h == 1) v = "VQ900"; else if (h == 8) v = "20:00"; else if (h == 23) v = "500"
        printf "%s\r\n", v > out
    }
    printf "LONG BENCH FLIGHT\r\nREV 1\r\n%d\r\n", n > out
    for (k = 0; k < n; k++) {
        name = sprintf("Point %03d", k + 1); id = sprintf("P%03d", k + 1)
        if (k == n - 3) { name = "Approach"; }
        dist = k == 0 ? "" : sprintf("%d", leg[k] + 0.5)
        plan = ""
        if (k > 0) { m = int(leg[k] / speed * 60 + 0.5); plan = sprintf("%02d:%02d", int(m / 60), m % 60) }
        printf "%s\r\nFIX\r\n%s\r\n\r\n\r\n\r\n250\r\n090\r\n\r\n%s\r\n420\r\n%s\r\n\r\n\r\n%s\r\n", \
            name, id, dist, plan, (k == 0 ? "20:00" : "") > out
    }
    printf "0.000000\r\n" > out
    for (k = 0; k < n; k++) {
        if (k % 25 == 12) printf "0.000000\r\n0.000000\r\n" > out
        else printf "%.6f\r\n%.6f\r\n", lat[k], lon[k] > out
    }
    printf "%.3f", speed
}')

if [[ $preset == win32 ]]; then
    run=(tools/wine-run.sh "$build/vqsim.exe")
else
    run=("$build/vqsim")
fi
echo "100 checkpoints, $hours hours at $speed kt: $report"
"${run[@]}" "$report" --out "$work/out" --speed "$speed" --fuel 15000,15000,5000 --quiet "$@" | tail -n 7
