#!/bin/bash
# Runs the test suites of the given builds (default: linux32 win32, already
# built) on an emulated Pentium II: every i386 program, the Wine processes
# and the programs they start included, runs under qemu-user with
# QEMU_CPU=pentium2, which has no SSE. An SSE instruction anywhere in the
# module's code (or in what the tests load) then stops the test that runs it.
#
#   tools/pentium2-tests.sh [PRESET...]
#
# binfmt_misc is asked before the kernel's own loader, so registering qemu-user
# for i386 programs routes them all through the emulator, also on a machine
# whose kernel runs them natively. Where the setup did not register it (such a
# machine), this script registers it for the run and removes it afterwards.
# Needs root for that. A Pentium II has CMOV, FCOMI and MMX: this run proves
# "no SSE" only; the disassembly check of the gauge file proves the rest.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

QEMU_I386=/usr/bin/qemu-i386
BINFMT_DIR=/proc/sys/fs/binfmt_misc
ENTRY=$BINFMT_DIR/qemu-i386
RULE=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$QEMU_I386"':F'
say() { echo "pentium2-tests: $*"; }
die() { echo "pentium2-tests: error: $*" >&2; exit 1; }

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(linux32 win32)
[ -x "$QEMU_I386" ] || die "$QEMU_I386 is missing (run tools/setup.sh)"

registered_here=0
cleanup() {
  if [ "$registered_here" -eq 1 ] && [ -e "$ENTRY" ]; then
    echo -1 >"$ENTRY" && say "removed the temporary binfmt_misc entry"
  fi
}
trap cleanup EXIT

if [ ! -e "$BINFMT_DIR/register" ]; then
  mount -t binfmt_misc binfmt_misc "$BINFMT_DIR" || die "cannot mount binfmt_misc (root needed)"
fi
if [ -e "$ENTRY" ]; then
  grep -qx "interpreter $QEMU_I386" "$ENTRY" || die "$ENTRY runs another interpreter"
  grep -qx enabled "$ENTRY" || echo 1 >"$ENTRY"
else
  echo "$RULE" >"$BINFMT_DIR/register" || die "cannot register qemu-i386 with binfmt_misc (root needed)"
  registered_here=1
  say "registered $QEMU_I386 for i386 programs for this run"
fi

export QEMU_CPU=pentium2

# Proof that the emulated processor is in force: an i386 program that runs one
# SSE instruction must die (SIGILL) here, and exit 0 on any later processor.
probe_dir=$(mktemp -d)
trap 'rm -rf "$probe_dir"; cleanup' EXIT
printf '.globl _start\n_start:\n xorps %%xmm0, %%xmm0\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' \
  >"$probe_dir/probe.s"
gcc -m32 -nostdlib -static -o "$probe_dir/probe" "$probe_dir/probe.s" || die "cannot build the SSE probe"
if ("$probe_dir/probe") 2>/dev/null; then
  die "an SSE instruction ran: i386 programs do not run on the emulated Pentium II"
fi
say "an SSE instruction stops an i386 program: the emulated processor is a Pentium II"

# Wine's processes of an earlier run were started on the real processor: end
# them in every prefix the tests use (the shared one and the regional-settings
# test's own).
stop_wine() {
  local prefix
  for prefix in "${VQ_WINEPREFIX:-${HOME:-/tmp}/.wine-vqgauge}" "$PWD/build/win32/wine-regional"; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null
  done
  return 0
}
if [[ " ${presets[*]} " == *" win32 "* ]]; then
  stop_wine
fi

failed=0
for preset in "${presets[@]}"; do
  say "=== $preset on a Pentium II"
  [ -d "build/$preset" ] || die "build/$preset is missing: build it first"
  ctest --preset "$preset" --no-tests=error || failed=1
done
if [[ " ${presets[*]} " == *" win32 "* ]]; then
  stop_wine
fi
exit $failed
