#!/usr/bin/env bash
# A long fuzz run of one target: scripts/fuzz_long.sh TARGET SECONDS
# (TARGET one of those in scripts/fuzz_targets.sh, e.g. level_set).
#
# The working corpus grows in tests/fuzz/corpus-work/TARGET (ignored by git)
# and is reused by the next long run; crashes land in
# tests/fuzz/corpus-work/findings/. One process, one job: the other core stays free.
# A crash found this way becomes a regression test in the unit tests, and
# its input a file of tests/fuzz/corpus/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 2 ]; then
  echo "usage: scripts/fuzz_long.sh TARGET SECONDS" >&2
  exit 2
fi
target=$1 seconds=$2
. scripts/fuzz_targets.sh
if [ ! -d "tests/fuzz/corpus/$target" ]; then
  echo "fuzz_long: no target $target (one of: ${FUZZ_TARGETS[*]})" >&2
  exit 2
fi
scripts/setup.sh
build_fuzz_targets
work=tests/fuzz/corpus-work
mkdir -p "$work/$target" "$work/findings"
# shellcheck disable=SC2046
exec build/fuzz/"${target}_fuzz" "$work/$target" "tests/fuzz/corpus/$target" \
  -max_total_time="$seconds" -timeout=10 -print_final_stats=1 $(fuzz_options "$target") \
  -artifact_prefix="$work/findings/${target}-"
