#!/bin/bash
# failing_check.sh <case> <fuzz target> <work folder> [corpus folder]: a fuzz
# target as one runs it.
#   failures: the target (failing_check_fuzz) fails on purpose in every way,
#             outside a call into a library and inside one: each time
#             libFuzzer (or the sanitizer it runs with) reports it and
#             writes the input into the folder given, and a library's words
#             before the failure still reach stderr.
#   workers:  four workers of the target run together in one folder from its
#             corpus: every one ends its runs without a report, and no
#             scratch folder of theirs is left.
set -u
case_name=$1
target=$2
work=$3
corpus=${4:-}

fail() {
  echo "failing_check $case_name: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
cd "$work" || fail "no work folder"

case "$case_name" in
  failures)
    for how in trap abort segv bus fpe divert:trap divert:abort divert:segv divert:bus divert:fpe; do
      out="$work/${how/:/_}"
      mkdir -p "$out"
      VANTRIS_FUZZ_FAILING_CHECK=$how timeout 60 "$target" -runs=10 -artifact_prefix="$out/" \
        >"$out/stdout" 2>"$out/stderr"
      status=$?
      [ "$status" -ne 0 ] || fail "$how: the target ended with 0"
      [ "$status" -ne 124 ] || fail "$how: the target did not end"
      grep -qE "ERROR: (libFuzzer|AddressSanitizer|UndefinedBehaviorSanitizer)" "$out/stderr" ||
        { cat "$out/stderr" >&2; fail "$how: no report"; }
      grep -q "Test unit written to $out/crash-" "$out/stderr" ||
        { cat "$out/stderr" >&2; fail "$how: no input written"; }
      ls "$out"/crash-* >/dev/null 2>&1 || fail "$how: no input in $out"
      if [ "${how#divert:}" != "$how" ]; then
        grep -q "a library's words before it fails" "$out/stderr" ||
          fail "$how: the library's words were lost"
      fi
    done
    echo "failing_check failures: each failure reported and its input written"
    ;;
  workers)
    mkdir -p "$work/new"
    timeout 120 "$target" -workers=4 -jobs=4 -runs=1500 -max_len=8192 "$work/new" "$corpus" \
      >"$work/out" 2>&1
    status=$?
    for log in fuzz-*.log; do
      # At least the runs asked for: one that reloads the corpus the others
      # grew counts those inputs as runs too.
      awk '$1 == "Done" && $2 >= 1500 { done = 1 } END { exit !done }' "$log" ||
        { cat "$log" >&2; fail "$log: the worker did not end its runs"; }
      grep -q "ERROR" "$log" && { cat "$log" >&2; fail "$log: a report"; }
    done
    [ "$(ls fuzz-*.log | wc -l)" -eq 4 ] || fail "not four workers' logs"
    [ "$status" -eq 0 ] || { cat "$work/out" >&2; fail "ended with $status"; }
    left=$(find . -mindepth 1 -path "./*_files/*" | head -n 3)
    [ -z "$left" ] || fail "scratch files left: $left"
    echo "failing_check workers: four workers ended their runs, nothing left"
    ;;
  *)
    fail "unknown case"
    ;;
esac
