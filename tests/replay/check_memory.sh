#!/usr/bin/env bash
# The check's memory against bounds measured beside a three-QSO log in the same run (no clock):
# a 40 MB Cabrillo QSO line is one finding and costs little more than the file it is read from;
# a 20,000-QSO ADIF log at most 0.6 KB a QSO above the small log; a 100,000-QSO one at most 0.5 KB
# a QSO above it (the plug-in's own copy of the log while it writes its files, or the QSOs as read
# again and the findings, as the log in time order is not held beside the plug-in); an ADIF
# record with a 200 MB field no QSO needs at most 10 MB above it, as the field is passed over
# piece by piece and never held.
set -euo pipefail
replay=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
header=$'START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: N0CALL\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n'
header+=$'CATEGORY-BAND: 80M-40M\r\nNAME: A\r\nADDRESS: B\r\nEMAIL: n0call@example.org\r\n'
first=$'QSO: 3582 PM 2025-03-15 1200 N0CALL 599 0001 DL1WA 599 0012\r\n'
last=$'QSO: 7041 PM 2025-03-15 1210 N0CALL 599 0003 OK1T 599 0034\r\nEND-OF-LOG:\r\n'
printf '%s%s%s%s' "$header" "$first" $'QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013\r\n' "$last" \
  > "$folder/small.cbr"
{
  printf '%s%s%s' "$header" "$first" 'QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 '
  head -c 40000000 /dev/zero | tr '\0' '1'
  printf '\r\n%s' "$last"
} > "$folder/long.cbr"
python3 "$(dirname "$0")/make-sample-log.py" --qsos 20000 --out "$folder/long.adi"
python3 "$(dirname "$0")/make-sample-log.py" --qsos 100000 --out "$folder/longer.adi"
adif=' <QSO_DATE:8>20250315 <BAND:3>80M <MODE:3>PSK <SUBMODE:5>PSK63 <RST_SENT:3>599 <RST_RCVD:3>599 '
adif+='<STATION_CALLSIGN:6>N0CALL'
{
  printf '<ADIF_VER:5>3.1.4 <EOH>\n<CALL:5>DL1WA <TIME_ON:4>1200 <STX:1>1 <SRX:2>12%s <NOTES:200000000>' "$adif"
  head -c 200000000 /dev/zero | tr '\0' 'x'
  printf ' <EOR>\n<CALL:4>EU7F <TIME_ON:4>1205 <STX:1>2 <SRX:2>13%s <EOR>\n' "$adif"
} > "$folder/field.adi"

# Peak resident memory in KB; the output kept for the checks below.
peak() {
  /usr/bin/time -f %M -o "$folder/kb" "$replay" --check --out "$folder/run" "$1" > "$folder/out" 2>/dev/null || true
  tail -1 "$folder/kb"
}
small=$(peak "$folder/small.cbr")
long=$(peak "$folder/long.cbr")
grep -q '^ERROR line 10: QSO skipped: the line is 40000054 characters long' "$folder/out" ||
  { echo "the long line is not one finding:"; grep -E '^(ERROR|WARNING|NOTE)' "$folder/out" | cut -c1-200; exit 1; }
field=$(peak "$folder/field.adi")
grep -q '^Replayed 2 QSOs' "$folder/out" || { echo "the log with a 200 MB field was not replayed whole"; exit 1; }
many=$(peak "$folder/long.adi")
more=$(peak "$folder/longer.adi")
grep -q '^Replayed 100000 QSOs' "$folder/out" || { echo "the 100,000-QSO log was not replayed whole"; exit 1; }
echo "three QSOs: $small KB; a 40 MB QSO line: $long KB; a 200 MB ADIF field: $field KB; 20,000 QSOs: $many KB;" \
  "100,000 QSOs: $more KB"
fail=0
(( long <= small + 50000 )) || { echo "the 40 MB line took more than 50 MB above the small log"; fail=1; }
(( field <= small + 10000 )) || { echo "the 200 MB field took more than 10 MB above the small log"; fail=1; }
(( many <= small + 20000 * 6 / 10 )) || { echo "20,000 QSOs took more than 0.6 KB a QSO above the small log"; fail=1; }
(( more <= small + 100000 * 5 / 10 )) ||
  { echo "100,000 QSOs took more than 0.5 KB a QSO above the small log"; fail=1; }
exit $fail
