#!/usr/bin/env bash
# What the Wine wrapper runs again and what it never does: a run Wine never started is run again,
# each retry printed, and still fails; a test's own failure, before or after Stats.dll was loaded,
# runs once and keeps its exit status; a good run's output carries none of Wine's reports.
#   wine_run_test.sh <a 64-bit test program> <stats-replay.exe>
set -uo pipefail
program=$(realpath "$1")
replay=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# run NAME PROGRAM [ARGUMENTS]: the exit status in $status, the outputs in NAME.out and NAME.err
run() {
  local name=$1
  shift
  bash "$here/scripts/wine-run.sh" "$@" >"$name.out" 2>"$name.err"
  status=$?
}
lines() { grep -c -F -e "$2" "$1.err"; }

# The header says x86-64 and the sections are cut off: Wine cannot map it.
head -c 2048 "$program" >cut.exe
run cut ./cut.exe
[ "$status" -ne 0 ] || fail "a program Wine cannot start ends well"
[ "$(lines cut 'retry ')" -eq 2 ] || fail "a program Wine never started is not run three times: $(cat cut.err)"
grep -q -F 'cut.exe was never started' cut.err || fail "the retry does not say why: $(cat cut.err)"
[ "$(lines cut 'ended with exit')" -eq 3 ] || fail "not every failed run is reported: $(cat cut.err)"

# The test program's own usage error, before it loads the plug-in.
run usage "$program"
[ "$status" -eq 2 ] || fail "the program's own exit status is $status, not 2"
[ "$(lines usage 'retry ')" -eq 0 ] || fail "a test's own failure is run again: $(cat usage.err)"
grep -q '^usage: ' usage.out || fail "the program's own output is lost: $(cat usage.out)"
grep -q -F 'before Stats.dll was loaded' usage.err || fail "the failure does not say how far it got: $(cat usage.err)"

# A failure after the plug-in was loaded: an unreadable log.
printf 'garbage\r\n' >unreadable.adi
run unreadable "$replay" --unattended --out unreadable unreadable.adi
[ "$status" -eq 4 ] || fail "an unreadable log ends with $status, not 4"
[ "$(lines unreadable 'retry ')" -eq 0 ] || fail "a run that loaded Stats.dll is run again: $(cat unreadable.err)"
grep -q -F 'after Stats.dll was loaded' unreadable.err || fail "the failure does not say how far it got: $(cat unreadable.err)"

# A good run: the program's output as it wrote it.
run good "$replay" --unattended --out good "$here/samples/sample-contest.adi"
[ "$status" -eq 0 ] || fail "the sample replay ends with $status: $(cat good.err)"
if grep -q -E '^[0-9a-f]+:(trace|err|fixme|warn):|^wine-run: ' good.out good.err; then
  fail "Wine's reports reach a good run's output: $(grep -h -E '^[0-9a-f]+:|^wine-run: ' good.out good.err | head -3)"
fi
grep -q -F 'N0CALL.cbr' good.out || fail "the replay's own summary is lost: $(head -3 good.out)"

[ "$failures" -eq 0 ] && echo "the wrapper runs again only what Wine never started, and passes the output through"
exit "$failures"
