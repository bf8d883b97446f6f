#!/usr/bin/env bash
# A longer fuzz run of the entry points under address and undefined-behaviour checks:
#   scripts/fuzz.sh [SECONDS]      (default 600)
# New inputs are kept in build/asan/fuzz-corpus; a finding is written as crash-* in build/asan.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
seconds=${1:-600}
bash scripts/setup.sh tests
mkdir -p build build/asan/fuzz-corpus
CC=clang CXX=clang++ cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTATS_SANITIZE=address >build/asan.configure.log
nice -n 10 cmake --build build/asan -j2 --target stats_fuzz
cd build/asan
folder=$PWD/fuzz-folder
[ -d /dev/shm ] && folder=/dev/shm/stats-fuzz-long
ASAN_OPTIONS=detect_leaks=1 STATS_FUZZ_FOLDER="$folder" \
  ./stats_fuzz -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -max_len=4096 -close_fd_mask=2 \
  -print_final_stats=1 "$PWD/fuzz-corpus" "$here/tests/hardening/fuzz-corpus"
