# Sourced by the test commands: adds up ctest's closing line "x% tests passed, F tests failed out
# of T" into $passed and $failed. A log without that line counts as one failure: the suite did not
# get to its end.
passed=${passed:-0}
failed=${failed:-0}
count_ctest() {
  local summary f t
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1))
    return
  fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
  passed=$((passed + t - f))
  failed=$((failed + f))
}
