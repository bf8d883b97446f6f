#!/usr/bin/env bash
# The main job: installs what a fresh machine lacks for it, builds the plug-in and stats-replay in
# Release (no tests), and replays the sample contest (samples/sample-contest.adi) through the
# plug-in, printing the score summary and where the Cabrillo file is.
#   scripts/replay-sample.sh           the native build's libStats.so, files in build/sample-run
#   scripts/replay-sample.sh --wine    the real Stats.dll under Wine, files in build/sample-run-wine
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

wine=false
for arg in "$@"; do
  case $arg in
    --wine) wine=true ;;
    -h | --help)
      sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *)
      echo "replay-sample: unknown option $arg" >&2
      exit 2
      ;;
  esac
done

mkdir -p build
sample=samples/sample-contest.adi
# Configures and builds only the plug-in and stats-replay.
build() {
  local dir=$1
  shift
  echo "replay-sample: building the plug-in and stats-replay (Release, no tests) in $dir"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DSTATS_TESTS=OFF "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j"$(nproc)" --target Stats stats-replay >"$dir.build.log" 2>&1 ||
    { tail -n 50 "$dir.build.log"; exit 1; }
}

if ! $wine; then
  bash scripts/setup.sh main
  out=build/sample-run
  build build/main
  build/main/stats-replay --out "$out" "$sample"
else
  bash scripts/setup.sh wine
  out=build/sample-run-wine
  build build/main-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake
  # Wine maps the current folder onto a drive, so relative paths reach the same files. The
  # plug-in's dialogs need a display; --unattended presses their OK buttons.
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash scripts/wine-run.sh build/main-win32/stats-replay.exe --unattended --out "$out" "$sample"
fi
echo
echo "Cabrillo file: $(ls -t "$here/$out"/*.cbr | head -n 1)"
