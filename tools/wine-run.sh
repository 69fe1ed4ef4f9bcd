#!/bin/bash
# Runs a console program of the win32 build under Wine and passes its exit code
# through; ctest uses it as the cross-compiling emulator.
#
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
#   tools/wine-run.sh --prepare        create or update the Wine prefix only
#
# Wine (wine32) runs under qemu-user on machines without 32-bit support in the
# kernel, so every Wine process start is costly. To keep runs short this runner
#  - uses a prefix of its own, created once (tools/setup.sh does that; a first
#    run here does it too), without the Mono and Gecko installers, desktop menu
#    entries or a display, so nothing waits for a dialog;
#  - keeps the wineserver, and with it Wine's service processes, alive for a
#    while after a program ends, so that the next test program starts warm;
#  - puts a time limit on everything, so that a stuck program cannot hang a
#    test run.
#
# Environment:
#   VQ_WINEPREFIX      the prefix (default: ~/.wine-vqgauge)
#   VQ_WINE_TIMEOUT    seconds a program may run (default: 540, so that it ends
#                      before ctest's limit of 600 s would cut off the runner)
#   VQ_WINE_LINGER     seconds the wineserver stays after the last program (default: 30)
set -u

export WINEPREFIX="${VQ_WINEPREFIX:-${HOME:-/tmp}/.wine-vqgauge}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts, no menu entries written into $HOME.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
# Console programs only: never open a window on the developer's screen.
unset DISPLAY WAYLAND_DISPLAY
timeout_s="${VQ_WINE_TIMEOUT:-540}"
linger_s="${VQ_WINE_LINGER:-30}"
ready="$WINEPREFIX/.vqgauge-ready"

die() { echo "wine-run.sh: $*" >&2; exit 125; }

command -v wine >/dev/null 2>&1 || die "wine is not installed (run tools/setup.sh)"

# The prefix is ready when its stamp is newer than Wine's setup file, that is
# when it was made or updated by the installed Wine.
prefix_ready() {
  [ -f "$ready" ] && [ -f "$WINEPREFIX/system.reg" ] && [ "$ready" -nt /usr/share/wine/wine.inf ]
}

prepare_prefix() {
  prefix_ready && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Two test programs may start at once on a new prefix: one prepares it,
  # the other waits.
  exec 9>"$WINEPREFIX.lock" || die "cannot create $WINEPREFIX.lock"
  flock -w 1800 9 || die "timed out waiting for another run to prepare $WINEPREFIX"
  if ! prefix_ready; then
    echo "wine-run.sh: preparing the Wine prefix $WINEPREFIX (takes a minute or more)" >&2
    local started=$SECONDS
    if ! timeout -k 10 1200 wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1 ||
       ! timeout -k 10 600 wineserver --wait </dev/null >>"$WINEPREFIX.log" 2>&1 ||
       [ ! -f "$WINEPREFIX/system.reg" ]; then
      cat "$WINEPREFIX.log" >&2
      die "could not prepare the Wine prefix $WINEPREFIX"
    fi
    touch "$ready"
    echo "wine-run.sh: Wine prefix ready after $((SECONDS - started)) s" >&2
  fi
  exec 9>&-
}

if [ "${1:-}" = "--prepare" ]; then
  prepare_prefix
  exit 0
fi
[ $# -ge 1 ] || die "usage: wine-run.sh PROGRAM.exe [ARGS...] | --prepare"

prepare_prefix
# Start the wineserver with a longer stay than its default 3 s; if one is
# running already this one exits at once. Its output goes nowhere, so that
# it holds no pipe of the caller open.
if wineserver --persistent="$linger_s" </dev/null >/dev/null 2>&1; then
  # A new server: let Wine start its service processes now, detached from
  # our output, or they would keep the caller's pipes open (ctest would wait
  # for them) for as long as the server stays.
  timeout -k 10 300 wineboot </dev/null >/dev/null 2>&1
fi
timeout -k 10 "$timeout_s" wine "$@"
status=$?
[ $status -eq 124 ] && echo "wine-run.sh: $1 did not finish within $timeout_s s" >&2
exit $status
