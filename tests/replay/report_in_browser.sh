#!/usr/bin/env bash
# The sample's report.html opened in headless Chromium: the page must render its three charts
# with no script error, and show the plug-in's score. First the probe: a page that throws must
# show its error, or a clean result would prove nothing.
#   report_in_browser.sh STATS-REPLAY SAMPLE-LOG [SCREENSHOT.png]
set -uo pipefail
replay=$1
sample=$2
screenshot=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

browser=$(command -v chromium || true)
[ -n "$browser" ] || { echo "FAIL: no chromium (scripts/setup.sh installs it)"; exit 1; }
# Nothing of the machine's own profile, no network of its own, no first-run pages.
chrome() {
  local profile
  profile=$(mktemp -d "$work/profile.XXXXXX")
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" \
    --virtual-time-budget=10000 "$@" 2>>"$work/chromium.err"
}

"$replay" --out "$work/run" --report "$work/report" "$sample" >"$work/replay.out" 2>&1 \
  || { cat "$work/replay.out"; echo "FAIL: stats-replay --report"; exit 1; }
page=$work/report/report.html

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The probe.
sed 's|<script type="application/json" id="stats-data">|<script>throw new Error("probe error")</script>&|' \
  "$page" >"$work/probe.html"
chrome --dump-dom "file://$work/probe.html" >"$work/probe.dom"
grep -q '<li>Uncaught Error: probe error' "$work/probe.dom" || fail "a thrown error does not show in the page"

chrome --dump-dom "file://$page" >"$work/page.dom"
grep -q 'data-rendered="yes"' "$work/page.dom" || fail "the page's script did not run to its end"
grep -q '<ul id="script-errors"></ul>' "$work/page.dom" ||
  fail "script errors: $(grep -o '<ul id="script-errors">.*</ul>' "$work/page.dom" | head -c 2000)"
drawn=$(grep -o '<canvas[^>]*data-chart="drawn"' "$work/page.dom" | wc -l)
[ "$drawn" -eq 3 ] || fail "$drawn of 3 charts drawn"
score=$(grep -o '"score": [0-9-]*$' "$work/report/stats.json" | tail -n 1 | grep -o '[0-9-]*$')
grep -q "= $score</p>" "$work/page.dom" || fail "the page does not show the score $score"
# Offline: the page loads nothing from anywhere.
if grep -Eq '<(link|img|iframe)|src="|url\(' "$page"; then fail "the page refers to something outside itself"; fi

if [ -n "$screenshot" ]; then
  chrome --hide-scrollbars --window-size=1100,1750 --screenshot="$screenshot" "file://$page" >/dev/null
fi
[ $failures -eq 0 ] && echo "report.html renders its 3 charts with no script error and shows the score $score"
exit $failures
