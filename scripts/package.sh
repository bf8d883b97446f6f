#!/usr/bin/env bash
# Makes build/dist/Stats-<version>.zip from the Windows build: the DLL and the replay program
# (stripped), the country file with its licence note, the check-partial call list, and the install text.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win=$here/build/win32
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win/CMakeCache.txt")

# The version the DLL carries must be the package's.
carried=$(python3 - "$win/Stats.dll" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
# The fixed block follows the resource's UTF-16 key; the signature alone may occur in code too.
at = data.find(b'\xbd\x04\xef\xfe', data.find('VS_VERSION_INFO'.encode('utf-16-le')))
ms, ls = struct.unpack_from('<II', data, at + 8)
print(f"{ms >> 16}.{ms & 0xffff}.{ls >> 16}")
PY
)
if [ "$carried" != "$version" ]; then
  echo "package: Stats.dll carries version $carried, the build is $version" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Stats-$version"
cp "$win/Stats.dll" "$win/stats-replay.exe" "$win/cty.dat" "$win/cty.csv" "$win/MASTER.SCP" "$win/INSTALL.txt" \
  "$stage/Stats-$version/"
# The build keeps its symbols for the tests' backtraces; the release goes without them.
i686-w64-mingw32-strip "$stage/Stats-$version/Stats.dll" "$stage/Stats-$version/stats-replay.exe"
cp /usr/share/doc/hamradio-files/copyright "$stage/Stats-$version/COUNTRY-FILE-LICENCE.txt"
mkdir -p "$here/build/dist"
rm -f "$here/build/dist/Stats-$version.zip"
(cd "$stage" && zip -q -r "$here/build/dist/Stats-$version.zip" "Stats-$version")
echo "package: build/dist/Stats-$version.zip ($(stat -c %s "$stage/Stats-$version/Stats.dll") bytes Stats.dll, $(stat -c %s "$stage/Stats-$version/stats-replay.exe") bytes stats-replay.exe)"
