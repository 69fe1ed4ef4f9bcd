#!/bin/sh
# Runs a Windows program of the win32 build under Wine, quietly, with its own
# Wine prefix so that a first run needs no desktop and leaves the user's alone.
: "${WINEPREFIX:=${HOME:-/tmp}/.wine-vqgauge}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1 || true
fi
exec wine "$@"
