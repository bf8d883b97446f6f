#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the project's own, made on first use.
#   wine-run.sh PROGRAM [ARGUMENTS]
# The program's own machine type picks the Wine. A 64-bit program runs under 64-bit Wine, which
# runs natively, in build/win64/wineprefix, and is never run again. A 32-bit program runs under
# 32-bit Wine in build/wineprefix; where 32-bit Linux programs go through a CPU emulator, a run that
# the emulator broke before Stats.dll was loaded is run again (at most twice, each retry printed),
# and a run that fails after the DLL loaded fails.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The COFF machine field of the PE header: 8664 for x86-64.
machine() {
  local at
  at=$(od -An -tu4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$at" ] && od -An -tx2 -j $((at + 4)) -N 2 "$1" 2>/dev/null | tr -d ' '
}
win64=false
[ -f "${1:-}" ] && [ "$(machine "$1")" = 8664 ] && win64=true
if $win64; then
  export WINEPREFIX=${STATS_WINEPREFIX:-$here/build/win64/wineprefix}
  export WINEARCH=win64
  # The 64-bit loader itself: the plain "wine" command starts the 32-bit one first when it can.
  export WINELOADER=/usr/lib/wine/wine64
  wine=$WINELOADER
else
  export WINEPREFIX=${STATS_WINEPREFIX:-$here/build/wineprefix}
  wine=wine
fi
# No Mono or Gecko install prompts, and no debugger: a crashed test should just end, and under the
# emulator the debugger cannot attach and would wait forever.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
mkdir -p "$(dirname "$WINEPREFIX")"

# One prefix per architecture; ctest may start several programs at once.
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.stats-ready" ]; then
  # Nothing started here may inherit the lock: the Wine server it starts lives on, and would hold
  # the lock, and every other program waiting for it, until the last Wine program has ended.
  # Made without a display: with one, the first start also builds a desktop it does not need.
  DISPLAY= WINEDEBUG=-all timeout 300 "$wine" wineboot -i >/dev/null 2>&1 9>&- || true
  # No window manager under Xvfb: unmanaged windows close without Wine's 2 s wait, and a crash
  # ends the test instead of opening a dialog.
  WINEDEBUG=-all "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 9>&-
  WINEDEBUG=-all "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 9>&-
  wineserver -w 9>&-
  touch "$WINEPREFIX/.stats-ready"
fi
exec 9>&-

emulated() { [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; }
if $win64 || ! emulated; then
  export WINEDEBUG=${WINEDEBUG:--all}
  exec "$wine" "$@"
fi

# Under the emulator: Wine reports every module it loads, so a failed run shows whether it got as
# far as the plug-in. Those reports are kept out of the program's own output.
export WINEDEBUG=-all,+loaddll
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2 3; do
  set +e
  "$wine" "$@" 2> >(tee -a "$log" | grep -v ':loaddll:' >&2)
  status=$?
  set -e
  wait
  [ "$status" -eq 0 ] && exit 0
  if grep -q ':loaddll:.*[\\/]Stats\.dll"' "$log" || [ "$attempt" -eq 3 ]; then exit "$status"; fi
  # Before the plug-in was loaded, only a crash counts as the emulator's: a killed process, or
  # what Wine, its loader and the emulator print when they fail. A test's own failure does not.
  broke=$(grep -m 1 -E 'Unhandled (page fault|exception|illegal)|Inconsistency detected by ld\.so|^qemu: |unexpected trap|RPC_S_(SERVER_UNAVAILABLE|CALL_FAILED)' "$log" || true)
  [ "$status" -ge 128 ] || [ -n "$broke" ] || exit "$status"
  echo "wine-run: the emulator broke this run before Stats.dll was loaded (exit $status${broke:+: $broke}); retry $attempt of 2" >&2
  : >"$log"
done
