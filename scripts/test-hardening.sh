#!/usr/bin/env bash
# The checked runs of the test command: the native tests, a fuzz run and the thread stress under
# address and undefined-behaviour checks, and the native tests and the stress under thread
# checks. Ends with one ctest-style line adding up all of them.
#   scripts/test-hardening.sh [FUZZ_SECONDS] [STRESS_SECONDS]     (defaults 60 and 10)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
fuzz=${1:-60}
stress=${2:-10}

# A sanitizer's report fails the run; the halt keeps it from being retried or lost.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

mkdir -p build
passed=0
failed=0
source scripts/ctest-summary.sh
run() {
  local name=$1 dir=$2 sanitize=$3
  shift 3
  CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTATS_TESTS=ON -DSTATS_SANITIZE="$sanitize" \
    -DSTATS_FUZZ_SECONDS="$fuzz" -DSTATS_STRESS_SECONDS="$stress" >"$dir.configure.log" 2>&1 \
    && nice -n 10 cmake --build "$dir" -j2 >"$dir.build.log" 2>&1 \
    || { echo "$name build failed (see $dir.build.log)"; failed=$((failed + 1)); return; }
  (cd "$dir" && ctest --output-on-failure --timeout 3600 -j1 "$@") >"$dir.test.log" 2>&1
  grep -E "tests passed|\(Failed\)|\(Subprocess|\(Timeout" "$dir.test.log" | sed "s/^/$name: /"
  grep -hE "fuzzed entry-point calls|host thread\(s\)" "$dir/Testing/Temporary/LastTest.log" | sed "s/^/$name: /"
  count_ctest "$dir.test.log"
}

run address build/asan address
# Under thread checks: the tests with threads of their own, and the stress.
# The huge-file timing is left to the other builds: thread checks slow file reading too much.
run thread build/tsan thread -R 'ContestFlow|Files|hardening' -E 'AHuge'

total=$((passed + failed))
percent=$((total > 0 ? 100 * passed / total : 0))
echo "checked builds: $percent% tests passed, $failed tests failed out of $total"
[ "$failed" -eq 0 ]
