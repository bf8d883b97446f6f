#!/usr/bin/env bash
# No source file includes a header by a path: from a file's own folder "../report/stats_json.h"
# would reach any layer past the include folders that keep the layers apart. First the probe: a
# file with such an include must be found, or finding none would prove nothing.
#   no_pathed_includes.sh SOURCE-TREE
set -uo pipefail
tree=$1
pathed() { grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "$@"; }

probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf '#include "../report/stats_json.h"\n' >"$probe/pathed.cpp"
pathed "$probe" >/dev/null || { echo "FAIL: the probe's pathed include was not found"; exit 1; }

found=$(pathed "$tree/src" "$tree/tools" "$tree/tests" "$tree/bench")
if [ -n "$found" ]; then
  echo "FAIL: headers included by a path:"
  echo "$found"
  exit 1
fi
echo "no pathed include in src, tools, tests, bench"
