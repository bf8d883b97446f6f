#!/usr/bin/env bash
# The sample contest replayed through the native library and through Stats.dll under Wine must
# give the same summary, the same problem file and the same Cabrillo file, byte for byte; and the
# check and the statistics report, of the sample and of a log full of faults, the same findings,
# stats.json and report.html.
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

# The findings and the count line, with the exit code.
findings() { tr -d '\r' <"$1" | grep -E '^(ERROR|WARNING|NOTE) line [0-9]+: |^Check: '; }
seeded=$here/tests/replay/logs/seeded-faults.cbr
for log in "$sample" "$seeded"; do
  name=$(basename "$log")
  period=()
  [ "$log" = "$seeded" ] && period=(--start 2025-03-15T1200 --end 2025-03-16T1200)
  "$native_replay" "${period[@]}" --out "$work/native-$name" --report "$work/native-$name/stats" "$log" \
    >"$work/native-$name.out" 2>"$work/native-$name.err"
  native_code=$?
  (cd "$work" && bash "$here/scripts/wine-run.sh" "$windows_replay" --unattended "${period[@]}" \
    --out "windows-$name" --report "windows-$name/stats" "$log") >"$work/windows-$name.out" 2>"$work/windows-$name.err"
  windows_code=$?
  if [ "$native_code" != "$windows_code" ]; then
    echo "FAIL: $name: exit code $native_code natively, $windows_code under Windows"
    cat "$work/windows-$name.err"
    failures=$((failures + 1))
  fi
  if ! diff <(findings "$work/native-$name.out") <(findings "$work/windows-$name.out"); then
    echo "FAIL: $name: the findings differ (< native, > Windows)"
    failures=$((failures + 1))
  fi
  [ -n "$(findings "$work/native-$name.out")" ] || { echo "FAIL: $name: no check ran"; failures=$((failures + 1)); }
  for file in stats.json report.html; do
    if ! cmp "$work/native-$name/stats/$file" "$work/windows-$name/stats/$file"; then
      echo "FAIL: $name: $file differs"
      failures=$((failures + 1))
    fi
  done
done
[ $failures -eq 0 ] && echo "summary, err.txt, N0CALL.cbr, the findings, stats.json and report.html agree byte for byte"
exit $failures
