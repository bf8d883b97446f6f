#!/usr/bin/env bash
# Replays a 50,000-QSO contest log through the native plug-in and prints how long it took; with a
# limit in seconds, fails when it takes longer.
#   scripts/replay-bench.sh [STATS-REPLAY [LIMIT]]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
replay=${1:-$here/build/native/stats-replay}
limit=${2:-}
work=$(dirname "$replay")/replay-bench
mkdir -p "$work"
log=$work/fifty-thousand.adi
python3 "$here/tests/replay/make-sample-log.py" --qsos 50000 --out "$log"

start=$(date +%s%N)
"$replay" --out "$work/run" "$log" >"$work/replay.out"
elapsed_ms=$((($(date +%s%N) - start) / 1000000))

grep '^Replayed' "$work/replay.out"
printf 'stats-replay took %d.%03d s for 50,000 QSOs\n' $((elapsed_ms / 1000)) $((elapsed_ms % 1000))
[ -z "$limit" ] || [ "$elapsed_ms" -le $((limit * 1000)) ]
