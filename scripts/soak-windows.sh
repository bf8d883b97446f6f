#!/usr/bin/env bash
# Runs the 64-bit Windows test suite N times in a row and prints how many runs failed, so that a
# test that fails now and then shows itself. Builds what is missing first.
#   scripts/soak-windows.sh [N]    (default 20)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
runs=${1:-20}

bash scripts/setup.sh tests || { echo "setup failed"; exit 1; }
mkdir -p build
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >build/native.configure.log 2>&1 && cmake --build build/native -j"$(nproc)" >/dev/null ||
  { echo "native build failed"; exit 1; }
cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake \
  >build/win64.configure.log 2>&1 && cmake --build build/win64 -j"$(nproc)" >/dev/null ||
  { echo "64-bit Windows build failed"; exit 1; }

failed=0
mkdir -p build/soak
for run in $(seq 1 "$runs"); do
  WINEPREFIX="$here/build/win64/wineprefix" wineserver -k 2>/dev/null || true
  log=build/soak/run-$run.log
  start=$(date +%s)
  if (cd build/win64 && xvfb-run -a -s "-screen 0 1280x1024x24" ctest -j2 --output-on-failure --timeout 600) >"$log" 2>&1; then
    echo "run $run of $runs: passed ($(($(date +%s) - start)) s)"
  else
    failed=$((failed + 1))
    echo "run $run of $runs: FAILED ($(($(date +%s) - start)) s), see $log:"
    grep -E '^FAIL|\*\*\*Failed|Timeout' "$log" | head -n 20
  fi
done
WINEPREFIX="$here/build/win64/wineprefix" wineserver -k 2>/dev/null || true
echo "$failed failed runs of $runs"
[ "$failed" -eq 0 ]
