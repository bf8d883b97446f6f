#!/usr/bin/env bash
# The README's pictures of the statistics report, one per part of the page, taken by headless
# Chromium: the sample's contest made with spells of running, compared with another station's log
# of the same contest, headings from the locator JO62QM.
#   report_screenshots.sh STATS-REPLAY DOCS-FOLDER
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
replay=$1
docs=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/make-sample-log.py" --runs 0.5 --out "$work/contest.adi"
python3 "$here/make-sample-log.py" --runs 0.3 --seed 64 --own-call N1RIVAL --out "$work/rival.adi"
"$replay" --out "$work/run" --report "$work/report" --locator JO62QM --compare "$work/rival.adi" \
  "$work/contest.adi" >"$work/replay.out" 2>&1

# shot NAME SECTION HEIGHT: the page with only that part shown ("top": the title and the summary).
shot() {
  local name=$1 section=$2 height=$3 profile hide
  profile=$(mktemp -d "$work/profile.XXXXXX")
  hide="section:not(#$section),h1,#counts{display:none}"
  [ "$section" = top ] && hide='section:not(#summary){display:none}'
  sed "s|</style>|$hide</style>|" "$work/report/report.html" >"$work/$name.html"
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" \
    --virtual-time-budget=10000 --hide-scrollbars --window-size=1200,"$height" \
    --screenshot="$docs/$name.png" "file://$work/$name.html" 2>/dev/null
}
shot report top 560
shot report-rates rates 1780
shot report-score score-growth 860
shot report-multipliers multipliers 1860
shot report-one-band one-band 700
shot report-run run 1330
shot report-map map-section 940
shot report-compare compare 2500
shot report-findings findings 420
