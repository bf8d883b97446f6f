#!/usr/bin/env bash
# The cross-check's results page and a station page opened in headless Chromium: both must run
# their script to its end with no script error, the results page must link every station page
# that exists. First the probe: a page that throws must show its error, or a clean result would
# prove nothing.
#   results_in_browser.sh STATS-CROSSCHECK MAKE-CONTEST [SCREENSHOT.png]
set -uo pipefail
crosscheck=$1
make_contest=$2
screenshot=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

browser=$(command -v chromium || true)
[ -n "$browser" ] || { echo "FAIL: no chromium (scripts/setup.sh installs it)"; exit 1; }
chrome() {
  local profile
  profile=$(mktemp -d "$work/profile.XXXXXX")
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" \
    --virtual-time-budget=5000 "$@" 2>>"$work/chromium.err"
}

python3 "$make_contest" --logs 60 --faults 120 --clock-offsets 2 --single-band 2 --out "$work/contest" >/dev/null \
  || { echo "FAIL: make-contest"; exit 1; }
"$crosscheck" --out "$work/out" "$work/contest/logs" >"$work/run.out" 2>&1 \
  || { cat "$work/run.out"; echo "FAIL: stats-crosscheck"; exit 1; }
page=$work/out/index.html
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

sed 's|<script>document|<script>throw new Error("probe error")</script>&|; s|<script>$|<script>throw new Error("probe error")</script>&|' \
  "$page" >"$work/out/probe.html"
chrome --dump-dom "file://$work/out/probe.html" >"$work/probe.dom"
grep -q '<li>Uncaught Error: probe error' "$work/probe.dom" || fail "a thrown error does not show in the page"

chrome --dump-dom "file://$page" >"$work/page.dom"
grep -q 'data-rendered="yes"' "$work/page.dom" || fail "the results page's script did not run to its end"
grep -q '<ul id="script-errors"></ul>' "$work/page.dom" ||
  fail "script errors: $(grep -o '<ul id="script-errors">.*</ul>' "$work/page.dom" | head -c 2000)"
links=0
for station in $(grep -o 'href="stations/[^"]*"' "$page" | sed 's/href="//; s/"$//' | sort -u); do
  [ -f "$work/out/$station" ] || fail "a link to $station, which is not there"
  links=$((links + 1))
done
logs=$(ls "$work/out/stations" | wc -l)
[ "$links" -eq "$logs" ] || fail "$links station pages linked, $logs written"
first=$(ls "$work/out/stations" | head -n 1)
chrome --dump-dom "file://$work/out/stations/$first" >"$work/station.dom"
grep -q 'data-rendered="yes"' "$work/station.dom" || fail "the station page's script did not run to its end"
grep -q 'QSOs checked:' "$work/station.dom" || fail "the station page does not show the report"
if grep -Eq '<(link|img|iframe)|src="|url\(' "$page"; then fail "the page refers to something outside itself"; fi

if [ -n "$screenshot" ]; then
  chrome --hide-scrollbars --window-size=1300,900 --screenshot="$screenshot" "file://$page" >/dev/null
fi
[ $failures -eq 0 ] && echo "index.html and the $logs station pages render with no script error"
exit $failures
