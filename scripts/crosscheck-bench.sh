#!/usr/bin/env bash
# Cross-checks generated contests and prints, per size, the wall time, the processor time and the
# peak memory of stats-crosscheck: the largest resident set of one of its processes (from
# /usr/bin/time -v) and the peak of all its processes together (their proportional set sizes,
# sampled every 0.2 s, so that pages the workers share with the parent count once), and the time
# per QSO line; with --replay also of a plain replay of the same logs, one stats-replay run per
# file. With --limit or --memory-mb it fails when the largest contest takes longer or more
# memory (all processes together) than that.
#   scripts/crosscheck-bench.sh [--replay] [--qsos-per-log N] [--limit SECONDS] [--memory-mb MB]
#                               [--bin DIR] [LOGS ...]
# Default: 1000 logs of 400 QSOs, no limit, the programs in build/native. The largest contests,
# 50,000 logs and 10 M QSO lines: --qsos-per-log 200 50000.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$here/build/native
limit=
memory_mb=
replay=no
per_log=400
sizes=()
while [ $# -gt 0 ]; do
  case $1 in
    --replay) replay=yes ;;
    --qsos-per-log) per_log=$2; shift ;;
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

# The peak of the summed proportional set sizes of a process and its children, in MB.
sample_pss() {
  local root=$1 peak=0 total pids
  while kill -0 "$root" 2>/dev/null; do
    pids="$root $(pgrep -P "$root" | tr '\n' ' ')"
    total=0
    for pid in $pids; do
      kb=$(awk '/^Pss:/ { print $2; exit }' "/proc/$pid/smaps_rollup" 2>/dev/null || echo 0)
      total=$((total + ${kb:-0}))
    done
    [ "$total" -gt "$peak" ] && peak=$total
    sleep 0.2
  done
  echo $((peak / 1024))
}

# Prints "WALL CPU MAX_RSS_MB PSS_MB" of a command run under /usr/bin/time -v; its output goes to $2.
measure() {
  local log=$1 out=$2
  shift 2
  /usr/bin/time -v -o "$log" "$@" >"$out" &
  local timer=$!
  # /usr/bin/time may not have started the command yet: a sample taken of nothing would read 0 MB.
  local command=
  while [ -z "$command" ] && kill -0 "$timer" 2>/dev/null; do
    command=$(pgrep -P "$timer" | head -n 1 || true)
    [ -n "$command" ] || sleep 0.02
  done
  local pss=0
  [ -n "$command" ] && pss=$(sample_pss "$command")
  wait "$timer"
  awk -F': ' -v pss="$pss" '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
              /User time/ { u = $2 } /System time/ { y = $2 }
              /Maximum resident set size/ { kb = $2 }
              END { printf "%.2f %.2f %.0f %s\n", s, u + y, kb / 1024, pss }' "$log"
}

printf '%6s %10s %9s %9s %9s %9s %11s %10s %10s\n' logs "QSO lines" "wall s" "cpu s" "rss MB" "all MB" \
  "cpu µs/line" "replay s" "replay MB"
status=0
for logs in "${sizes[@]}"; do
  contest=$work/contest-$logs-$per_log
  if [ ! -f "$contest/truth.csv" ]; then
    python3 "$here/tests/crosscheck/make-contest.py" --logs "$logs" --qsos-per-log "$per_log" --faults $((logs * 5)) \
      --second-files 0 --clock-offsets $((logs / 40)) --seed 1 --out "$contest" >/dev/null
  fi
  lines=$(($(wc -l <"$contest/truth.csv") - 1))
  # Into a new folder, the last run's removed only after: its reports replaced one by one would be
  # as many inodes freed, and ext4 without a journal (this VM's) skips inodes freed in the last
  # minutes one by one when it makes a file, which took a run into a folder just emptied up to
  # ten times as long to make each report.
  rm -rf "$contest/out.new"
  read -r check_s cpu_s check_mb all_mb < <(measure "$contest/time-check.txt" "$contest/check.out" \
    "$bin/stats-crosscheck" --out "$contest/out.new" "$contest/logs")
  rm -rf "$contest/out"
  mv "$contest/out.new" "$contest/out"
  per_line=$(awk -v c="$cpu_s" -v n="$lines" 'BEGIN { printf "%.1f", c * 1e6 / n }')
  replay_s=- replay_mb=-
  if [ $replay = yes ]; then
    # One process per log, as a sponsor replaying every log would run it; the slowest's memory.
    cat >"$contest/replay-all.sh" <<EOS
for f in "$contest"/logs/*.log; do "$bin/stats-replay" --no-report --out "$contest/replay" "\$f" >/dev/null 2>&1; done
EOS
    read -r replay_s _ replay_mb _ < <(measure "$contest/time-replay.txt" /dev/null bash "$contest/replay-all.sh")
  fi
  printf '%6s %10s %9s %9s %9s %9s %11s %10s %10s\n' "$logs" "$lines" "$check_s" "$cpu_s" "$check_mb" "$all_mb" \
    "$per_line" "$replay_s" "$replay_mb"
  grep '^Took' "$contest/check.out"
  last_s=$check_s
  last_mb=$all_mb
done
if [ -n "$limit" ]; then
  awk -v s="$last_s" -v limit="$limit" 'BEGIN { exit !(s <= limit) }' || status=1
  [ $status -eq 0 ] && echo "within $limit s" || echo "over $limit s"
fi
if [ -n "$memory_mb" ]; then
  if [ "$last_mb" -eq 0 ]; then
    echo "no memory sample taken"
    status=1
  elif awk -v mb="$last_mb" -v memory="$memory_mb" 'BEGIN { exit !(mb <= memory) }'; then
    echo "within $memory_mb MB"
  else
    echo "over $memory_mb MB"
    status=1
  fi
fi
exit $status
