#!/bin/sh
# Builds the linux32 configuration with AddressSanitizer and
# UndefinedBehaviorSanitizer into build/sanitize and runs the whole test
# suite once. Exits non-zero when the build fails or a test fails or trips a
# sanitizer.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/sanitize"

# No benchmarks here (they would count the sanitizers' own work).
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux32-sanitize.cmake" \
  -DCMAKE_BUILD_TYPE= -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=TRUE >/dev/null
cmake --build "$build" -j2

# LeakSanitizer stops the world through ptrace, which hangs under qemu-user
# (how i386 programs run on a 64-bit-only kernel): leaks are not checked.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
ctest --test-dir "$build" --output-on-failure -j2 --timeout 600
