#!/usr/bin/env bash
# The cross-check's pages opened in headless Chromium: those of a generated contest run through
# the program, and those of 50,000 made-up logs written as the program writes them. Every page
# opened must run its script to its end with no script error; every link of the pages read must
# lead to a file of the folder (and a row id it names must be there); every station page must be
# linked from a table; a station page must show its report's lines; index.html must stay under
# 2 MB; the search box must find a call of the last page. First the probe: a page that throws must
# show its error, or a clean result would prove nothing.
#   results_in_browser.sh STATS-CROSSCHECK MAKE-CONTEST SYNTHETIC-RESULTS [SCREENSHOT.png]
set -uo pipefail
crosscheck=$1
make_contest=$2
synthetic=$3
screenshot=${4:-}
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
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# rendered NAME URL: the page's DOM in $work/NAME.dom, its script run to its end, no error shown.
rendered() {
  chrome --dump-dom "$2" >"$work/$1.dom"
  grep -q 'data-rendered="yes"' "$work/$1.dom" || fail "$1: the page's script did not run to its end"
  grep -q '<ul id="script-errors"></ul>' "$work/$1.dom" ||
    fail "$1: script errors: $(grep -o '<ul id="script-errors">.*</ul>' "$work/$1.dom" | head -c 2000)"
}

# links FOLDER PAGE...: every href and src of the pages leads to a file in FOLDER, none outside.
links() {
  python3 - "$@" <<'EOF' || fail "links of $*"
import html, os, re, sys, urllib.parse
folder = os.path.realpath(sys.argv[1])
bad = []
for page in sys.argv[2:]:
    text = open(page, encoding="utf-8", errors="replace").read()
    for link in re.findall(r'(?:href|src)="([^"]*)"', text):
        link = html.unescape(link)
        if re.match(r"^[a-z]+:|^/", link):
            bad.append(f"{page}: {link} leads outside the folder")
            continue
        path, _, fragment = link.partition("#")
        target = os.path.realpath(os.path.join(os.path.dirname(page), urllib.parse.unquote(path))) if path else page
        if not target.startswith(folder + os.sep) or not os.path.isfile(target):
            bad.append(f"{page}: {link} is no file of the folder")
        elif fragment and f'id="{fragment}"' not in open(target, encoding="utf-8", errors="replace").read():
            bad.append(f"{page}: {link}: no id {fragment} there")
if bad: print("\n".join(bad[:20]))
sys.exit(1 if bad else 0)
EOF
}

# lines STATION-PAGE REPORT: the page's <pre>, as the browser lays it out, holds the report's
# lines, control bytes of values from the logs as \xHH.
lines() {
  local name
  name=$(basename "$1" .html)
  sed 's|<script>document.body|<script>document.body.setAttribute("data-lines", JSON.stringify(document.querySelector("pre").innerText.split("\\n")));</script>&|' \
    "$1" >"$(dirname "$1")/lines-$name.html"
  rendered "lines-$name" "file://$(dirname "$1")/lines-$name.html"
  rm -f "$(dirname "$1")/lines-$name.html"
  python3 - "$work/lines-$name.dom" "$2" <<'EOF' || fail "$name: the page does not show the report's lines"
import html, json, re, sys
dom = open(sys.argv[1], encoding="utf-8").read()
shown = json.loads(html.unescape(re.search(r'data-lines="([^"]*)"', dom).group(1)))
report = open(sys.argv[2], "rb").read().decode("utf-8", "replace")
report = re.sub(r"[\x00-\x09\x0b-\x1f\x7f]", lambda m: "\\x%02x" % ord(m.group()), report)
expected = report.split("\n")
while shown and shown[-1] == "": shown.pop()
while expected and expected[-1] == "": expected.pop()
if shown != expected or len(expected) < 3:
    print(f"{len(shown)} lines shown, {len(expected)} in the report; first differing:",
          next(((a, b) for a, b in zip(shown, expected) if a != b), None))
    sys.exit(1)
EOF
}

# search NAME FOLDER CALL: index.html?find=CALL lists CALL with links to its station page and to
# its row, which shows CALL.
search() {
  local query
  query=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$3")
  rendered "$1" "file://$2/index.html?find=$query"
  python3 - "$work/$1.dom" "$2" "$3" <<'EOF' || fail "$1: the search does not find $3 at its row"
import html, os, re, sys, urllib.parse
dom, folder, call = sys.argv[1], sys.argv[2], sys.argv[3]
found = re.search(r'<ul id="found">(.*?)</ul>', open(dom, encoding="utf-8").read(), re.S).group(1)
for item in re.findall(r"<li>(.*?)</li>", found, re.S):
    links = re.findall(r'<a href="([^"]*)">([^<]*)</a>', item)
    if len(links) != 2 or html.unescape(links[0][1]) != call:
        continue
    station = os.path.join(folder, urllib.parse.unquote(html.unescape(links[0][0])))
    page, _, row = html.unescape(links[1][0]).partition("#")
    text = open(os.path.join(folder, page), encoding="utf-8").read()
    at = text.find(f'<tr id="{row}">')
    if os.path.isfile(station) and at >= 0 and f">{html.escape(call, quote=True)}</a>" in text[at:text.find("</tr>", at)]:
        print(f"{call}: {links[1][0]}")
        sys.exit(0)
print(f"found: {found[:1000]}")
sys.exit(1)
EOF
}

# The last row of a page: its call as the page shows it.
last_call() {
  python3 - "$1" <<'EOF'
import html, re, sys
rows = re.findall(r'<tr id="r\d+">.*?<a href="[^"]*">([^<]*)</a>', open(sys.argv[1], encoding="utf-8").read())
print(html.unescape(rows[-1]))
EOF
}

# A generated contest through the program.
python3 "$make_contest" --logs 60 --faults 120 --clock-offsets 2 --single-band 2 --out "$work/contest" >/dev/null \
  || { echo "FAIL: make-contest"; exit 1; }
"$crosscheck" --out "$work/out" "$work/contest/logs" >"$work/run.out" 2>&1 \
  || { cat "$work/run.out"; echo "FAIL: stats-crosscheck"; exit 1; }
out=$work/out

sed 's|<script>document|<script>throw new Error("probe error")</script>&|' "$out/index.html" >"$out/probe.html"
chrome --dump-dom "file://$out/probe.html" >"$work/probe.dom"
grep -q '<li>Uncaught Error: probe error' "$work/probe.dom" || fail "a thrown error does not show in the page"
rm -f "$out/probe.html"

rendered index "file://$out/index.html"
rendered overall "file://$out/pages/overall-1.html"
links "$out" "$out/index.html" "$out"/pages/*.html "$out"/stations/*.html
linked=$(cat "$out"/pages/*.html | grep -o 'href="../stations/[^"]*"' | sort -u | wc -l)
logs=$(ls "$out/stations" | wc -l)
[ "$linked" -eq "$logs" ] || fail "$linked station pages linked from the tables, $logs written"
longest=$(wc -l "$out"/reports/*.txt | sort -n | tail -n 2 | head -n 1 | awk '{print $2}')
for report in "$longest" "$(ls "$out"/reports/*.txt | head -n 1)"; do
  lines "$out/stations/$(basename "$report" .txt).html" "$report"
done
search search-last "$out" "$(last_call "$out/pages/overall-1.html")"
search search-checklog "$out" "$(last_call "$out/pages/checklogs-1.html")"

if [ -n "$screenshot" ]; then
  chrome --hide-scrollbars --window-size=1300,900 --screenshot="$screenshot" "file://$out/index.html" >/dev/null
fi

# 50,000 made-up logs, written as the program writes them.
big=$work/big
"$synthetic" "$big" 50000 || { echo "FAIL: stats_synthetic_results"; exit 1; }
last=$(ls "$big"/pages/overall-*.html | sed 's/.*overall-//; s/\.html//' | sort -n | tail -n 1)
index_size=$(stat -c %s "$big/index.html")
page_size=$(stat -c %s "$big/pages/overall-1.html")
[ "$index_size" -lt 2097152 ] || fail "index.html of 50,000 logs has $index_size bytes, 2 MB or more"
rendered big-index "file://$big/index.html"
rendered big-last "file://$big/pages/overall-$last.html"
links "$big" "$big/index.html" "$big/pages/overall-1.html" "$big/pages/overall-$last.html" "$big/pages/clubs-1.html"
search big-search-last "$big" "$(last_call "$big/pages/overall-$last.html")"
search big-search-odd "$big" 'DL#1'
lines "$big/stations/K_1_.html" "$big/reports/K_1_.txt"

echo "50,000 logs: index.html $index_size bytes, pages/overall-1.html $page_size bytes, $last overall pages"
[ $failures -eq 0 ] && echo "the pages of $logs logs and of 50,000 render with no script error, every link resolves"
exit $failures
