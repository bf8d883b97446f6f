#!/usr/bin/env bash
# The test command: installs what is missing, builds the native library, the 64-bit test build and
# the shipped 32-bit Stats.dll, runs the native tests, the behaviour tests of the 64-bit build under
# 64-bit Wine and the 32-bit DLL's own tests under 32-bit Wine, and ends with "N passed, M failed".
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

bash scripts/setup.sh tests || { echo "setup failed"; exit 1; }

jobs=$(nproc)
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DSTATS_TESTS=ON "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j"$jobs"
}
mkdir -p build
build build/native || { echo "native build failed"; exit 1; }
build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake || { echo "64-bit Windows build failed"; exit 1; }
build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake || { echo "Windows build failed"; exit 1; }

bash scripts/package.sh || { echo "package failed"; exit 1; }

passed=0
failed=0
source scripts/ctest-summary.sh

(cd build/native && ctest --output-on-failure --timeout 600 -j"$jobs") 2>&1 | tee build/native.test.log
count_ctest build/native.test.log

# Windows tests need a display for dialogs and windows: one virtual X server per suite. A Wine
# server left from an earlier run would still talk to that run's display. No test is run twice:
# only scripts/wine-run.sh runs a program again, and only when Wine broke the run before the DLL
# was loaded.
stop_wine() {
  WINEPREFIX="$here/build/win64/wineprefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$here/build/wineprefix" wineserver -k 2>/dev/null || true
}
windows_suite() {
  stop_wine
  (cd "build/$1" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest -j2 --output-on-failure --timeout 600) 2>&1 |
    tee "build/$1.test.log"
  count_ctest "build/$1.test.log"
  grep -h '^wine-run: ' "build/$1.test.log" || true
}
windows_suite win64
windows_suite win32
stop_wine

# Sanitizers, fuzzing and the thread stress, in builds of their own.
bash scripts/test-hardening.sh 2>&1 | tee build/hardening.test.log
count_ctest build/hardening.test.log

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
