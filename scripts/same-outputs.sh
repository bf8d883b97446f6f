#!/usr/bin/env bash
# Two builds' outputs on the same logs, byte for byte: `stats-replay --check --report` (what it
# prints, stats.json, report.html) on the sample, the seeded-fault logs, a 50,000-QSO log and any
# LOG given, and stats-crosscheck's whole output folder on a generated contest. For a change
# that must leave every output as it was: build the old tree in a folder of its own first.
#   scripts/same-outputs.sh OLD_BUILD NEW_BUILD [LOG...]
set -uo pipefail
if [ $# -lt 2 ]; then
  sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

logs=("$here/samples/sample-contest.adi" "$here/tests/replay/logs/seeded-faults.cbr"
      "$here/tests/replay/logs/seeded-faults.adi")
python3 "$here/tests/replay/make-sample-log.py" --qsos 50000 --out "$work/fifty-thousand.adi"
logs+=("$work/fifty-thousand.adi" "$@")

# One run of one build on one log; the timing and the run's own folder taken out of what it printed.
replay() {
  local build=$1 log=$2 run=$3
  shift 3
  mkdir -p "$run"
  (cd "$run" && "$build/stats-replay" --check --report rep --out out "$@" "$log" >printed 2>&1; echo "exit $?" >>printed)
  sed -i -E -e "s#$run#RUN#g" -e 's/ in [0-9.]+ s: / in T s: /' "$run/printed"
}

differ=0 compared=0
compare() {  # name, then the options of the run
  local name=$1
  shift
  for log in "${logs[@]}"; do
    local base
    base=$(basename "$log")
    replay "$old" "$log" "$work/old/$name/$base" "$@"
    replay "$new" "$log" "$work/new/$name/$base" "$@"
    for file in printed rep/stats.json rep/report.html; do
      compared=$((compared + 1))
      if ! cmp -s "$work/old/$name/$base/$file" "$work/new/$name/$base/$file"; then
        echo "DIFFERENT: $name $base $file"
        diff <(tr -d '\r' <"$work/old/$name/$base/$file" | fold -w 300) \
             <(tr -d '\r' <"$work/new/$name/$base/$file" | fold -w 300) | head -n 20
        differ=$((differ + 1))
      fi
    done
  done
}
compare plain
compare period --start 2025-03-15T1200 --end 2025-03-16T1200

python3 "$here/tests/crosscheck/make-contest.py" --logs 200 --faults 600 --clock-offsets 5 --single-band 4 \
  --header-calls 3 --outside 10 --twenty 10 --utf16 2 --cr-only 2 --out "$work/contest" >/dev/null
for side in old new; do
  build=$old
  [ $side = new ] && build=$new
  "$build/stats-crosscheck" --out "$work/$side-results" "$work/contest/logs" >"$work/$side-printed" 2>&1
  echo "exit $?" >>"$work/$side-printed"
  sed -i -E -e "s#$work/$side-results#RESULTS#g" -e '/^Took [0-9.]+ s: /d' "$work/$side-printed"
done
compared=$((compared + 1))
if ! diff -r "$work/old-results" "$work/new-results" >"$work/results.diff" ||
   ! diff "$work/old-printed" "$work/new-printed" >>"$work/results.diff"; then
  echo "DIFFERENT: the cross-check's output folder or what it printed"
  head -n 40 "$work/results.diff"
  differ=$((differ + 1))
fi
files=$(find "$work/new-results" -type f | wc -l)
echo "$compared comparisons (${#logs[@]} logs, each plain and with the contest period: what was printed, stats.json," \
     "report.html; the cross-check's folder of $files files and its summary): $differ different"
[ "$differ" -eq 0 ]
