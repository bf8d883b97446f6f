#!/usr/bin/env bash
# The sample contest replayed through the native library and through Stats.dll under Wine must
# give the same summary, the same problem file and the same Cabrillo file, byte for byte.
set -uo pipefail
native_replay=$1
windows_replay=$2
sample=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -x "$native_replay" ]; then
  echo "FAIL: no native replay at $native_replay (build the native build first)"
  exit 1
fi

# The summary and the counts, without the timing and the paths, which differ by build, and
# without carriage returns: the Windows console adds its own to every line end.
summary() { tr -d '\r' <"$1" | grep -v -E '^Replayed .* in [0-9.]+ s|^  .*(\.cbr|\.ini|err\.txt)$|^Files written'; }

"$native_replay" --out "$work/native" "$sample" >"$work/native.out" 2>"$work/native.err" || { cat "$work/native.err"; exit 1; }
(cd "$work" && bash "$here/scripts/wine-run.sh" "$windows_replay" --unattended --out windows "$sample") \
  >"$work/windows.out" 2>"$work/windows.err" || { cat "$work/windows.err"; exit 1; }

failures=0
if ! diff <(summary "$work/native.out") <(summary "$work/windows.out"); then
  echo "FAIL: the printed summaries differ (< native, > Windows)"
  failures=$((failures + 1))
fi
for file in err.txt N0CALL.cbr; do
  if ! cmp "$work/native/$file" "$work/windows/$file"; then
    echo "FAIL: $file differs"
    failures=$((failures + 1))
  fi
done
[ $failures -eq 0 ] && echo "summary, err.txt and N0CALL.cbr agree byte for byte"
exit $failures
