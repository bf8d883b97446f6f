#!/usr/bin/env bash
# The main job: installs what a fresh machine lacks, builds, and replays the sample contest
# (samples/sample-contest.adi) through the plug-in, printing the score summary and where the
# Cabrillo file is.
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

bash scripts/setup.sh
mkdir -p build
sample=samples/sample-contest.adi

if ! $wine; then
  out=build/sample-run
  cmake -S . -B build/native >build/native.configure.log
  cmake --build build/native -j2
  build/native/stats-replay --out "$out" "$sample"
else
  out=build/sample-run-wine
  cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake >build/win32.configure.log
  cmake --build build/win32 -j2
  if [ ! -f build/win32/stats-replay.exe ]; then
    echo "replay-sample: the Windows build has no stats-replay.exe (cmake/replay.cmake is not included there)" >&2
    exit 1
  fi
  # Wine maps the current folder onto a drive, so relative paths reach the same files. The
  # plug-in's dialogs need a display; --unattended presses their OK buttons.
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash scripts/wine-run.sh build/win32/stats-replay.exe --unattended --out "$out" "$sample"
fi
echo
echo "Cabrillo file: $(ls -t "$here/$out"/*.cbr | head -n 1)"
