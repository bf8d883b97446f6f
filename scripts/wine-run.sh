#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, made on first use.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${STATS_WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts, and no debugger: under the 32-bit emulator it cannot attach
# and would wait forever, where a crashed test should just end.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
mkdir -p "$(dirname "$WINEPREFIX")"

# One prefix for all tests; ctest may start several at once.
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.stats-ready" ]; then
  # Made without a display: with one, the first start also builds a desktop it does not need.
  DISPLAY= timeout 300 wineboot -i >/dev/null 2>&1 || true
  # No window manager under Xvfb: unmanaged windows close without Wine's 2 s wait, and a crash
  # ends the test instead of opening a dialog.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.stats-ready"
fi
exec 9>&-
exec wine "$@"
