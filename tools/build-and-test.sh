#!/bin/bash
# Configures, builds and tests the two builds, linux32 first, then win32 (its
# tests run under Wine through tools/wine-run.sh), and prints ctest's summary
# of each; with no preset named, then runs the suites again on an emulated
# Pentium II (tools/pentium2-tests.sh, as root or
# through sudo), the sanitizers (tools/sanitize.sh) and each fuzz target for
# VQ_FUZZ_SECONDS (default 60, tools/fuzz.sh). Exits non-zero if any step fails.
#
#   tools/build-and-test.sh [PRESET...]     (default: linux32 win32)
#
# The output of configure and build goes to build/<preset>.log and is shown
# only when a step fails.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(linux32 win32)

failed=0
total_passed=0
total_failed=0
summary=()

# Runs a step, its output appended to the log; shows the log if it fails.
step() {
  local log=$1
  shift
  if ! "$@" >>"$log" 2>&1; then
    echo "FAILED: $*" >&2
    tail -n 60 "$log" >&2
    return 1
  fi
}

for preset in "${presets[@]}"; do
  echo "=== $preset"
  mkdir -p build
  log="build/$preset.log"
  : >"$log"
  t0=$SECONDS
  if ! step "$log" cmake --preset "$preset"; then
    failed=1; summary+=("$preset: configure failed"); continue
  fi
  t1=$SECONDS
  if ! step "$log" cmake --build --preset "$preset"; then
    failed=1; summary+=("$preset: build failed"); continue
  fi
  t2=$SECONDS
  echo "configured in $((t1 - t0)) s, built in $((t2 - t1)) s"
  ctest_out="build/$preset.ctest.log"
  ctest --preset "$preset" --no-tests=error 2>&1 | tee "$ctest_out"
  status=${PIPESTATUS[0]}
  t3=$SECONDS
  line="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$ctest_out" | tail -n 1)"
  if [ -n "$line" ]; then
    n_failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    n_total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    total_passed=$((total_passed + n_total - n_failed))
    total_failed=$((total_failed + n_failed))
  fi
  [ "$status" -eq 0 ] || failed=1
  summary+=("$preset: ${line:-ctest failed (exit $status)}; tests took $((t3 - t2)) s")
done

# With both builds (the default), the suites run once more on an emulated
# Pentium II (no SSE), and the module's code is also attacked: the whole
# suite under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz
# target for a minute.
if [ $# -eq 0 ]; then
  echo "=== Pentium II"
  pentium2=(tools/pentium2-tests.sh)
  [ "$(id -u)" -eq 0 ] || pentium2=(sudo -n tools/pentium2-tests.sh)
  if [ "$failed" -ne 0 ]; then
    summary+=("Pentium II: not run (a build or its tests failed)")
  elif "${pentium2[@]}" >build/pentium2.log 2>&1; then
    summary+=("Pentium II: $(grep -E '^[0-9]+% tests passed' build/pentium2.log | paste -sd';' -)")
  else
    failed=1; tail -n 60 build/pentium2.log >&2
    summary+=("Pentium II: FAILED (build/pentium2.log)")
  fi
  echo "=== sanitizers"
  if tools/sanitize.sh >build/sanitize.log 2>&1; then
    line="$(grep -E '^[0-9]+% tests passed' build/sanitize.log | tail -n 1)"
    summary+=("sanitizers: ${line:-passed}")
  else
    failed=1; tail -n 60 build/sanitize.log >&2; summary+=("sanitizers: FAILED (build/sanitize.log)")
  fi
  echo "=== fuzzing"
  tools/fuzz.sh "${VQ_FUZZ_SECONDS:-60}" >build/fuzz.log 2>&1
  fuzz_status=$?
  grep -E '^fuzz ' build/fuzz.log
  if [ "$fuzz_status" -ne 0 ]; then
    failed=1; tail -n 40 build/fuzz.log >&2
  fi
  summary+=("fuzzing: $(grep -E '^fuzz ' build/fuzz.log | paste -sd';' -) (exit $fuzz_status)")
fi

echo "=== summary"
printf '%s\n' "${summary[@]}"
echo "tests: $total_passed passed, $total_failed failed"
exit $failed
