#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the project's own, made on first use.
#   wine-run.sh PROGRAM [ARGUMENTS]
# The program's own machine type picks the Wine: a 64-bit program runs under 64-bit Wine in
# build/win64/wineprefix, a 32-bit one under 32-bit Wine in build/wineprefix. A run that fails after
# Stats.dll was loaded fails. Only a run that Wine itself broke before the DLL was loaded (it never
# started the program, or it, its loader or a CPU emulator under 32-bit Wine crashed) is run again,
# at most twice, each retry printed.
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

# Wine reports every module it loads, and its own errors, into a log of the run kept out of the
# program's output: a failed run shows how far it got and what Wine said. Silenced, a run that Wine
# gave up on while starting it ends with a bare exit status and not a line printed.
export WINEDEBUG=-all,err+all,+loaddll
log=$(mktemp)
trap 'rm -f "$log"' EXIT
program=$(basename "$1")
loaded() { [ -n "$(grep -F ':loaddll:' "$log" | grep -i -F -e "\\\\$1\"")" ]; }
for attempt in 1 2 3; do
  set +e
  "$wine" "$@" 2> >(tee -a "$log" | grep -v -E '^[0-9a-f]+:(trace:loaddll|err):' >&2)
  status=$?
  set -e
  wait
  [ "$status" -eq 0 ] && exit 0
  plugin=after
  loaded Stats.dll || plugin=before
  echo "wine-run: $program ended with exit $status, $plugin Stats.dll was loaded" >&2
  grep -E '^[0-9a-f]+:err:' "$log" | head -n 10 | sed 's/^/wine-run: Wine said: /' >&2 || true
  [ "$plugin" = before ] && [ "$attempt" -lt 3 ] || exit "$status"
  # Before the plug-in was loaded, only Wine's own failure counts: the program never started, a
  # killed process, or what Wine, its loader and a CPU emulator under 32-bit Wine print when they
  # break. A test's own failure does not, and is never run again.
  if ! loaded "$program"; then
    broke="$program was never started"
  else
    broke=$(grep -m 1 -E 'Unhandled (page fault|exception|illegal)|Inconsistency detected by ld\.so|^qemu: |unexpected trap|RPC_S_(SERVER_UNAVAILABLE|CALL_FAILED)|^wine: |wine client error|^[0-9a-f]+:err:(virtual|module|process|server):' "$log" || true)
    [ -n "$broke" ] || [ "$status" -lt 128 ] || broke="killed by signal $((status - 128))"
  fi
  [ -n "$broke" ] || exit "$status"
  echo "wine-run: Wine broke this run before Stats.dll was loaded ($broke); retry $attempt of 2" >&2
  : >"$log"
done
