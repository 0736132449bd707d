#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan and UBSan) in build/fuzz and
# runs each for a fixed number of runs from its seed corpus, with a fixed
# seed. Fails on any crash, sanitizer report or broken expectation, and keeps
# the input that caused it in build/fuzz/findings/.
#
# Long runs, with a working corpus outside git: scripts/fuzz_long.sh TARGET SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/fuzz_targets.sh
if ! build_fuzz_targets; then
  echo "0 passed, ${#FUZZ_TARGETS[@]} failed"
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build/fuzz/findings
passed=0 failed=0
for target in "${FUZZ_TARGETS[@]}"; do
  runs=$(fuzz_runs "$target")
  mkdir "$work/$target"
  start=$SECONDS
  # New inputs go to the scratch folder, never into the seeds.
  # shellcheck disable=SC2046
  if build/fuzz/"${target}_fuzz" "$work/$target" "tests/fuzz/corpus/$target" \
       -runs="$runs" -seed="${KRAXED_FUZZ_SEED:-1}" -timeout=10 $(fuzz_options "$target") \
       -artifact_prefix="build/fuzz/findings/${target}-" >"$work/$target.log" 2>&1; then
    echo "$target: $runs runs in $((SECONDS - start)) s, nothing found"
    passed=$((passed + 1))
  else
    echo "$target: FAILED after $(grep -o '^#[0-9]*' "$work/$target.log" | tail -1 | tr -d '#') runs"
    grep -E 'ERROR|SUMMARY|expectation failed|runtime error|Test unit written' "$work/$target.log" | head -20
    failed=$((failed + 1))
  fi
done
# Each target counts as one test; the test command adds these lines up.
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
