#!/usr/bin/env bash
# The includes between the source folders run one way: engine and system include nothing of ours
# above them, platform only engine, reports and settings engine, platform and system, automation
# the same, windows those and automation, and only plugin includes plugin. Prints each include that
# runs the other way.
set -uo pipefail
src=${1:-$(dirname "$0")/../../src}
failures=0
while IFS= read -r line; do
  file=${line%%:*}
  inc=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
  from=$(basename "$(dirname "$file")")
  to=${inc%%/*}
  # Resource headers (window_ids.h) and files of the same folder.
  [ "$to" = "$inc" ] || [ "$from" = "$to" ] && continue
  case $from in
    platform) allowed='engine' ;;
    reports | settings | automation) allowed='engine|platform|system' ;;
    windows) allowed='engine|platform|system|reports|settings|automation' ;;
    plugin) allowed='.*' ;;
    *) allowed='' ;;
  esac
  if [ -z "$allowed" ] || ! [[ $to =~ ^($allowed)$ ]]; then
    echo "FAIL: ${line#"$src"/} runs against the layering"
    failures=$((failures + 1))
  fi
done < <(grep -rn '#include "' "$src" --include='*.h' --include='*.cpp')
[ $failures -eq 0 ] && echo "includes run one way"
exit $failures
