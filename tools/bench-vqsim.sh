#!/usr/bin/env bash
# Measures the host simulator on a long flight: a report of 100 checkpoints
# (every 25th without a position, an approach entry near the end) flown in
# 12 hours across midnight, at 18 frames a second of simulated time.
#
#   tools/bench-vqsim.sh [linux32|win32] [vqsim options...]
#
# Builds the preset if needed, writes the route table and, with vqreport new,
# the report to build/<preset>/bench-vqsim/ and flies it there; vqsim's last
# lines give the wall time and the speed-up over real time. Extra options go
# to vqsim (e.g. --no-pictures).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=linux32
if [[ $# -gt 0 && ( $1 == linux32 || $1 == win32 ) ]]; then preset=$1; shift; fi
build=build/$preset
[[ -d $build ]] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target vqsim vqreport >/dev/null
if [[ $preset == win32 ]]; then
    run=(tools/wine-run.sh "$build/vqsim.exe")
    vqreport=(tools/wine-run.sh "$build/vqreport.exe")
else
    run=("$build/vqsim")
    vqreport=("$build/vqreport")
fi

work=$build/bench-vqsim
mkdir -p "$work"
route=$work/long-flight.csv
report=$work/long-flight.rec
hours=12
# 100 checkpoints eastwards along 50 degrees north with a gentle zigzag; the
# ground speed is chosen so that the route takes exactly 12 hours.
speed=$(awk -v hours=$hours -v out="$route" 'BEGIN {
    n = 100; pi = 3.14159265358979
    for (k = 0; k < n; k++) { lat[k] = 50 + 0.5 * sin(k * 0.7); lon[k] = -60 + k * 1.32 }
    total = 0
    for (k = 1; k < n; k++) {
        dlat = lat[k] - lat[k-1]; dlon = (lon[k] - lon[k-1]) * cos((lat[k] + lat[k-1]) / 2 * pi / 180)
        leg[k] = 60 * sqrt(dlat * dlat + dlon * dlon); total += leg[k]
    }
    speed = total / hours
    print "name,identifier,field 2,field 7,field 8,field 11,leg distance,planned leg time,latitude,longitude" > out
    for (k = 0; k < n; k++) {
        name = sprintf("Point %03d", k + 1); id = sprintf("P%03d", k + 1)
        if (k == n - 3) { name = "Approach"; }
        dist = k == 0 ? "" : sprintf("%d", leg[k] + 0.5)
        plan = ""
        if (k > 0) { m = int(leg[k] / speed * 60 + 0.5); plan = sprintf("%02d:%02d", int(m / 60), m % 60) }
        position = k % 25 == 12 ? "," : sprintf("%.6f,%.6f", lat[k], lon[k])
        printf "%s,%s,FIX,250,090,420,%s,%s,%s\n", name, id, dist, plan, position > out
    }
    printf "%.3f", speed
}')
# vqreport new exits 1 for its warnings (the checkpoints without a position).
"${vqreport[@]}" new --force -o "$report" --field01 VQ900 --departure-time 20:00 --extra-fuel1 500 \
    --list-field-1 "LONG BENCH FLIGHT" --list-field-2 "REV 1" "$route" >/dev/null || [[ $? -eq 1 ]]

echo "100 checkpoints, $hours hours at $speed kt: $report"
"${run[@]}" "$report" --out "$work/out" --clean --speed "$speed" --fuel 15000,15000,5000 --quiet "$@" | tail -n 7
