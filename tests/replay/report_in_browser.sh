#!/usr/bin/env bash
# report.html opened in headless Chromium for the sample (compared with itself and with its own
# first half), a one-QSO log, an empty log and a 50,000-QSO log (alone, and compared with another
# that runs half the time): each page must run its script to the end with no error, draw every
# chart it has, load nothing from outside, stay under 1 MB, write its figures with thousands
# separators, head every column and place the map's names so that none covers another, a ring's
# distance or the compass, the most worked named. The sample's page shows the plug-in's score and
# its comparison with itself two identical curves; with its first half, the shorter log's curve
# ends with its data and the lead is stats.json's. The 50,000-QSO page shows the full score beside
# the plug-in's wrapped one. First the probe: a page that throws must show its error, or a clean
# result would prove nothing.
#   report_in_browser.sh STATS-REPLAY SAMPLE-LOG [FIFTY-THOUSAND-QSO-LOG]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
replay=$1
sample=$2
big=${3:-$(dirname "$replay")/report-speed/fifty-thousand.adi}
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

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The 50,000-QSO log is made once (report_speed.sh uses the same file), under another name first,
# so that a run beside this one never reads half of it.
if [ ! -f "$big" ]; then
  mkdir -p "$(dirname "$big")"
  python3 "$here/make-sample-log.py" --qsos 50000 --out "$big.$$" && mv "$big.$$" "$big"
fi
printf 'made by the test: no QSO\n<EOH>\n' >"$work/empty.adi"
python3 "$here/make-sample-log.py" --qsos 1 --out "$work/one.adi"

# report NAME LOG [OPTIONS...]: the page of the log, checked; its DOM stays in $work/NAME.dom.
report() {
  local name=$1 log=$2
  shift 2
  local code
  "$replay" --out "$work/$name-run" --report "$work/$name" "$@" "$log" >"$work/$name.out" 2>&1
  code=$?
  # 4: the check found an error, which the 50,000-QSO log has (serials of five digits).
  [ $code -eq 0 ] || [ $code -eq 4 ] || { cat "$work/$name.out"; fail "$name: stats-replay --report"; return; }
  local page=$work/$name/report.html
  chrome --dump-dom "file://$page" >"$work/$name.dom"
  grep -q 'data-rendered="yes"' "$work/$name.dom" || fail "$name: the page's script did not run to its end"
  grep -q '<ul id="script-errors"></ul>' "$work/$name.dom" ||
    fail "$name: script errors: $(grep -o '<ul id="script-errors">.*</ul>' "$work/$name.dom" | head -c 2000)"
  local canvases drawn size
  canvases=$(grep -o '<canvas' "$work/$name.dom" | wc -l)
  drawn=$(grep -o '<canvas[^>]*data-chart="drawn"' "$work/$name.dom" | wc -l)
  [ "$drawn" -eq "$canvases" ] && [ "$canvases" -ge 7 ] || fail "$name: $drawn of $canvases charts drawn"
  # Offline: the page loads nothing from anywhere.
  if grep -Eq '<(link|img|iframe)|src="|url\(' "$page"; then
    fail "$name: the page refers to something outside itself"
  fi
  size=$(stat -c %s "$page")
  [ "$size" -lt 1048576 ] || fail "$name: the page has $size bytes, 1 MB or more"
  python3 "$here/report_page_rules.py" "$work/$name.dom" || fail "$name: figures, headings or the map's names"
  echo "$name: $canvases charts drawn, $size bytes"
}

report sample "$sample" --compare "$sample" --locator JO62QM
# The probe, on the sample's page.
sed 's|<script type="application/json" id="stats-data">|<script>throw new Error("probe error")</script>&|' \
  "$work/sample/report.html" >"$work/probe.html"
chrome --dump-dom "file://$work/probe.html" >"$work/probe.dom"
grep -q '<li>Uncaught Error: probe error' "$work/probe.dom" || fail "a thrown error does not show in the page"

# summary KEY LOG: the summary's figure as the page writes it, 1,234,567.
summary() {
  python3 -c 'import json, sys; print(format(json.load(open(sys.argv[1]))["summary"][sys.argv[2]], ","))' \
    "$work/$2/stats.json" "$1"
}
score=$(summary score sample)
grep -q "= $score</p>" "$work/sample.dom" || fail "the page does not show the score $score"
# The log compared with itself: each comparison chart has two curves, the same, and not empty.
python3 - "$work/sample.dom" <<'EOF' || fail "the sample compared with itself does not draw two identical curves"
import html, json, re, sys
dom = open(sys.argv[1], encoding="utf-8").read()
charts = re.findall(r'<canvas id="(compare-[a-z-]+)"[^>]*data-curves="([^"]*)"', dom)
assert len(charts) == 3, charts
for name, curves in charts:
    own, other = json.loads(html.unescape(curves))
    assert own == other and len(own) >= 24 and max(v or 0 for v in own) > 0, name
EOF

# The sample against its own first half: the shorter log's curves end with its data, and the lead
# is stats.json's, hour by hour.
head -n 204 "$sample" >"$work/first-half.adi"
report first-half "$sample" --compare "$work/first-half.adi"
python3 - "$work/first-half.dom" "$work/first-half/stats.json" <<'EOF' || fail "the shorter log's curves or the lead"
import html, json, re, sys
dom = open(sys.argv[1], encoding="utf-8").read()
stats = json.load(open(sys.argv[2], encoding="utf-8"))
other = stats["compare"]
curves = dict(re.findall(r'<canvas id="(compare-[a-z-]+)"[^>]*data-curves="([^"]*)"', dom))
own_rates, other_rates = json.loads(html.unescape(curves["compare-rate-chart"]))
last = other["score_by_hour"][-1]["contest_hour"]
assert last + 1 < len(own_rates), "the other log is not the shorter"
expected = [0] * (last + 1)
for row, hour in zip(other["multipliers_by_hour"], other["score_by_hour"]):
    expected[hour["contest_hour"]] = row["qsos"]
assert other_rates[:last + 1] == expected, other_rates
assert all(v is None for v in other_rates[last + 1:]), other_rates
for name in ("compare-score-chart", "compare-multiplier-chart"):
    assert all(v is None for v in json.loads(html.unescape(curves[name]))[1][last + 1:]), name
lead = json.loads(html.unescape(re.search(r'<canvas id="compare-lead-chart"[^>]*data-lead="([^"]*)"', dom).group(1)))
assert lead == [h["lead"] for h in other["score_lead"]], lead
assert lead[-1] == stats["score_by_hour"][-1]["score"] - other["score_by_hour"][-1]["score"]
EOF

report one "$work/one.adi"
report empty "$work/empty.adi"
grep -q 'No QSOs in the contest period' "$work/empty.dom" || fail "the empty log's charts do not say that it has no QSO"
report fifty-thousand "$big" --locator JO62QM
grep -q 'more of these, in stats.json' "$work/fifty-thousand.dom" ||
  fail "the 50,000-QSO page does not say what it left out"
# The rules' probe: each name right of its dot, as it comes, must cover another around Europe.
sed 's|if (best) placed.push(best);|placed.push({ text: n.text, x: n.x + n.r + 4, y: n.y - n.h / 2, w: n.w, h: n.h });|' \
  "$work/fifty-thousand/report.html" >"$work/unplaced.html"
chrome --dump-dom "file://$work/unplaced.html" >"$work/unplaced.dom"
if python3 "$here/report_page_rules.py" "$work/unplaced.dom" >/dev/null; then
  fail "names placed without the rule pass the rules"
fi
full=$(summary full_score fifty-thousand)
grep -q "<span id=\"full-score\" class=\"wrapped\"> (full value $full:" "$work/fifty-thousand.dom" ||
  fail "the 50,000-QSO page does not show the full score $full beside the plug-in's"
# The largest page: a log that runs half the time, with a run list to cut, against the 50,000.
python3 "$here/make-sample-log.py" --qsos 50000 --runs 0.5 --seed 64 --own-call N1RUN --out "$work/running.adi"
report fifty-thousand-compared "$work/running.adi" --locator JO62QM --compare "$big"
grep -q 'more runs, in stats.json' "$work/fifty-thousand-compared.dom" ||
  fail "the compared 50,000-QSO page does not say how many runs it left out"

[ $failures -eq 0 ] &&
  echo "report.html renders every chart with no script error and keeps its rules on all six pages;" \
    "the sample shows the score $score"
exit $failures
