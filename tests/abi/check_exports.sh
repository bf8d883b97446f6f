#!/usr/bin/env bash
# Checks the DLL's export table against names computed independently by the MSVC-target compiler,
# and that it imports no compiler runtime DLL.
set -euo pipefail
dll=$1
decl=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

objdump=i686-w64-mingw32-objdump
$objdump -p "$dll" > "$work/pe.txt"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

grep -q '^Magic.*010b' "$work/pe.txt" || grep -q 'file format pei-i386' <($objdump -f "$dll") || fail "not a PE32 i686 image"
grep -q '^Name .*Stats\.dll$' "$work/pe.txt" || fail "export table does not name Stats.dll"

# Export names: the lines "[ordinal] name" of the name pointer table.
sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' "$work/pe.txt" | sed -n 's/^\s*\[\s*[0-9]*\] //p' | sort > "$work/exported.txt"

clang++ --target=i686-pc-windows-msvc -c "$decl" -o "$work/decl.o"
llvm-nm-14 --defined-only "$work/decl.o" | awk '$2 == "T" { print $3 }' > "$work/decorated.txt"
plain="GetNumberOfSets GetSetName ResetStats0 AddData0 RemoveData0 CheckCall0 GetResult0 SetupSet0 GetExchgCount0 IsValidExchg0"
{ cat "$work/decorated.txt"; printf '%s\n' $plain; } | sort > "$work/expected.txt"

if ! diff -u "$work/expected.txt" "$work/exported.txt"; then fail "export names differ (- expected, + exported)"; fi
[ "$(wc -l < "$work/decorated.txt")" -eq 10 ] || fail "expected 10 decorated names from $decl"

# Imports: system DLLs only.
allowed='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|version|msvcrt|comctl32|shell32|comdlg32)\.dll$'
while read -r name; do
  lower=$(echo "$name" | tr 'A-Z' 'a-z')
  [[ $lower =~ $allowed || $lower == api-ms-win-* ]] || fail "imports $name"
done < <(sed -n 's/^\s*DLL Name: //p' "$work/pe.txt")

echo "exports: $(wc -l < "$work/exported.txt") names; imports: $(sed -n 's/^\s*DLL Name: //p' "$work/pe.txt" | tr '\n' ' ')"
[ $failures -eq 0 ] && echo "export table OK"
exit $failures
