#!/usr/bin/env bash
# Builds every configuration CI knows and runs all tests: the normal build, AddressSanitizer with
# UndefinedBehaviorSanitizer (unit tests), ThreadSanitizer (core, simulator and connections), and
# the fuzz targets.
# The last line is the total over all runs: "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || { echo "dependency install failed"; echo "0 passed, 1 failed"; exit 1; }

presets=(${N240QX_PRESETS:-default asan tsan fuzz})
mkdir -p build
passed=0
failed=0
not_run=0
status=0
for preset in "${presets[@]}"; do
  echo "=== ${preset}: configure and build"
  if ! cmake --preset "$preset" >"build/${preset}.log" 2>&1 || ! cmake --build --preset "$preset" >>"build/${preset}.log" 2>&1; then
    tail -n 60 "build/${preset}.log"
    echo "=== ${preset}: build failed"
    failed=$((failed + 1)); status=1
    continue
  fi
  echo "=== ${preset}: test"
  out=$(ctest --preset "$preset" 2>&1); rc=$?
  echo "$out" | grep -v -E '^\s+[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed' || true
  summary=$(echo "$out" | grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' | tail -n 1)
  if [ -n "$summary" ]; then
    total=$(echo "$summary" | sed -E 's/.*out of ([0-9]+).*/\1/')
    bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
    # ctest counts a skipped test among the passed ones; here it is neither.
    skipped=$(echo "$out" | grep -cE '^\s+[0-9]+ - .* \(Skipped\)$' || true)
    passed=$((passed + total - bad - skipped)); failed=$((failed + bad)); not_run=$((not_run + skipped))
  elif [ $rc -ne 0 ]; then
    failed=$((failed + 1))
  fi
  [ $rc -ne 0 ] && status=1
done

[ "$not_run" -gt 0 ] && echo "${not_run} not run (skipped, see above)"
echo "${passed} passed, ${failed} failed"
exit $status
