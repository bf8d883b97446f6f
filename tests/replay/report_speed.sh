#!/usr/bin/env bash
# The statistics report of the 50,000-QSO log side by side with the plain replay: the report run
# may take at most twice the processor time of the plain one. Runs alternate, and the least
# processor time of each kind counts: other work on a shared machine only ever adds to a run's
# time, and on this virtual machine a median of three still moved by a quarter from run to run.
#   report_speed.sh STATS-REPLAY [RUNS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
replay=$1
runs=${2:-7}
work=$(dirname "$replay")/report-speed
mkdir -p "$work"
log=$work/fifty-thousand.adi
# Made under another name first, so that report_in_browser.sh, which shares the file, never reads half of it.
if [ ! -f "$log" ]; then
  python3 "$here/tests/replay/make-sample-log.py" --qsos 50000 --out "$log.$$" && mv "$log.$$" "$log"
fi

# Processor seconds (user and system) and wall seconds of one run, to the microsecond: time(1)
# counts in hundredths, a step of 3 % of a plain replay here.
measure() {
  python3 - "$work/out" "$replay" "$@" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
with open(sys.argv[1], "wb") as out:
    code = subprocess.call(sys.argv[2:], stdout=out, stderr=subprocess.DEVNULL)
wall = time.monotonic() - start
if code not in (0, 4):
    sys.exit(f"{sys.argv[2]} ended with exit code {code}")
used = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{used.ru_utime + used.ru_stime:.4f} {wall:.4f}")
PY
}
least() { sort -n | head -n 1; }

plain=() report=() plain_wall=() report_wall=()
for _ in $(seq "$runs"); do
  read -r cpu wall < <(measure --out "$work/plain" "$log") && [ -n "$cpu" ] || exit 1
  plain+=("$cpu") plain_wall+=("$wall")
  read -r cpu wall < <(measure --out "$work/run" --report "$work/report" "$log") && [ -n "$cpu" ] || exit 1
  report+=("$cpu") report_wall+=("$wall")
done
p=$(printf '%s\n' "${plain[@]}" | least) r=$(printf '%s\n' "${report[@]}" | least)
pw=$(printf '%s\n' "${plain_wall[@]}" | least) rw=$(printf '%s\n' "${report_wall[@]}" | least)
grep '^Check:' "$work/out"
echo "plain replay: ${p} s processor, ${pw} s wall; with --report: ${r} s processor, ${rw} s wall (the least of $runs runs each)"
awk -v p="$p" -v r="$r" 'BEGIN { printf "the report takes %.2f times the plain replay (limit 2)\n", r / p; exit !(r <= 2 * p) }'
