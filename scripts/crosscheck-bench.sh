#!/usr/bin/env bash
# Cross-checks generated contests of 400 QSOs per log and prints, per size, the wall time and peak
# memory of stats-crosscheck (from /usr/bin/time -v); with --replay also of a plain replay of the
# same logs, one stats-replay run per file. With --limit or --memory-mb it fails when the largest
# contest takes longer or more memory than that.
#   scripts/crosscheck-bench.sh [--replay] [--limit SECONDS] [--memory-mb MB] [--bin DIR] [LOGS ...]
# Default: 1000 logs, no limit, the programs in build/native.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$here/build/native
limit=
memory_mb=
replay=no
sizes=()
while [ $# -gt 0 ]; do
  case $1 in
    --replay) replay=yes ;;
    --limit) limit=$2; shift ;;
    --memory-mb) memory_mb=$2; shift ;;
    --bin) bin=$2; shift ;;
    *) sizes+=("$1") ;;
  esac
  shift
done
[ ${#sizes[@]} -gt 0 ] || sizes=(1000)
work=$bin/crosscheck-bench
mkdir -p "$work"

# Prints "SECONDS MEGABYTES" of a command run under /usr/bin/time -v; its output goes to $2.
measure() {
  local log=$1 out=$2
  shift 2
  /usr/bin/time -v -o "$log" "$@" >"$out"
  awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
              /Maximum resident set size/ { kb = $2 }
              END { printf "%.2f %.0f\n", s, kb / 1024 }' "$log"
}

printf '%6s %9s %12s %10s %14s %12s\n' logs "QSO lines" "check s" "check MB" "replay s" "replay MB"
status=0
for logs in "${sizes[@]}"; do
  contest=$work/contest-$logs
  python3 "$here/tests/crosscheck/make-contest.py" --logs "$logs" --qsos-per-log 400 --faults $((logs * 5)) \
    --second-files 0 --seed 1 --out "$contest" >/dev/null
  lines=$(($(wc -l <"$contest/truth.csv") - 1))
  read -r check_s check_mb < <(measure "$contest/time-check.txt" "$contest/check.out" \
    "$bin/stats-crosscheck" --out "$contest/out" "$contest/logs")
  replay_s=- replay_mb=-
  if [ $replay = yes ]; then
    # One process per log, as a sponsor replaying every log would run it; the slowest's memory.
    cat >"$contest/replay-all.sh" <<EOF
for f in "$contest"/logs/*.log; do "$bin/stats-replay" --no-report --out "$contest/replay" "\$f" >/dev/null 2>&1; done
EOF
    read -r replay_s replay_mb < <(measure "$contest/time-replay.txt" /dev/null bash "$contest/replay-all.sh")
  fi
  printf '%6s %9s %12s %10s %14s %12s\n' "$logs" "$lines" "$check_s" "$check_mb" "$replay_s" "$replay_mb"
  grep '^Took' "$contest/check.out"
  last_s=$check_s
  last_mb=$check_mb
done
if [ -n "$limit" ]; then
  awk -v s="$last_s" -v limit="$limit" 'BEGIN { exit !(s <= limit) }' || status=1
  [ $status -eq 0 ] && echo "within $limit s" || echo "over $limit s"
fi
if [ -n "$memory_mb" ]; then
  if awk -v mb="$last_mb" -v memory="$memory_mb" 'BEGIN { exit !(mb <= memory) }'; then
    echo "within $memory_mb MB"
  else
    echo "over $memory_mb MB"
    status=1
  fi
fi
exit $status
