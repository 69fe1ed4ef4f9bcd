#!/bin/sh
# Builds the fuzz targets (fuzz/: libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, clang, i386) into build/fuzz and runs both at
# once, each for the given number of seconds (default 60), starting from the
# seeds in fuzz/corpus (which stay as they are; what the targets find goes to
# build/fuzz/corpus). Exits non-zero when a target crashes, hangs, trips a
# sanitizer or breaks an invariant; the input is kept in build/fuzz/artifacts.
#   tools/fuzz.sh [seconds]
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="${VQ_FUZZ_CXX:-clang++}" >/dev/null
cmake --build "$build" -j2

# The report target writes and flushes report files all the time: give it a
# memory file system where there is one.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then tmp=/dev/shm; else tmp=${TMPDIR:-/tmp}; fi
scratch=$(mktemp -d "$tmp/vqfuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM

# LeakSanitizer stops the world through ptrace, which hangs under qemu-user
# (how i386 programs run on a 64-bit-only kernel): leaks are not checked.
export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

run() {
  name=$1
  shift
  mkdir -p "$build/corpus/$name" "$build/artifacts"
  TMPDIR="$scratch" "$build/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -detect_leaks=0 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" "$@" \
    "$build/corpus/$name" "$root/fuzz/corpus/$name" >"$build/$name.log" 2>&1
}

run report -max_len=16384 -len_control=0 -dict="$root/fuzz/report.dict" &
report=$!
run conversion -max_len=512 &
conversion=$!

status=0
for name in report conversion; do
  if [ "$name" = report ]; then pid=$report; else pid=$conversion; fi
  if wait "$pid"; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$name.log")
    echo "fuzz $name: passed, ${runs:-?} inputs in ${seconds} s"
  else
    status=1
    echo "fuzz $name: FAILED (log $build/$name.log, input in $build/artifacts/)"
    grep -v '^#\|^INFO\|^stat::' "$build/$name.log" | tail -n 30
  fi
done
exit $status
