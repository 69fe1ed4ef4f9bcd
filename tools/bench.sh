#!/bin/sh
# Builds the linux32 preset and runs the benchmarks (bench/), which print each
# result as a ratio against its plain C baseline measured side by side.
# Arguments go to the benchmark program (e.g. --benchmark_filter=Report,
# --benchmark_repetitions=3). Exits non-zero when the build or a benchmark
# fails, or when the display frame allocates.
set -eu
cd "$(dirname "$0")/.."

cmake --preset linux32 >/dev/null
if ! cmake --build --preset linux32 --target vq_bench; then
  echo "bench.sh: no benchmark program (is libbenchmark-dev:i386 installed?)" >&2
  exit 1
fi

model=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
runner="natively"
if [ "$(uname -m)" != "i686" ] && [ -f /proc/sys/fs/binfmt_misc/qemu-i386 ] &&
   head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386 | grep -q enabled; then
  runner="under qemu-i386 (binfmt_misc), so times are emulated; the ratios compare like with like"
fi
echo "Machine: ${model:-unknown processor}, $(nproc) cores, $(uname -sm); i386 code runs ${runner}"
exec build/linux32/bench/vq_bench "$@"
