#!/usr/bin/env bash
# Sets up, builds and runs every test of kraxed: the native unit tests, the
# same tests built for Windows under Wine, and the end-to-end tests of the
# editor under Wine on a virtual display. Exits non-zero on any failure; the
# last line adds up every step's tests: "N passed, M failed".
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
start=$SECONDS
KRAXED_WERROR=ON scripts/build.sh all
echo "=== build: $((SECONDS - start)) s"

. scripts/wine_env.sh
status=0
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs a step and adds up what it reports: its "N passed, M failed" lines,
# or GoogleTest's summaries; a step that reports no count is one test. A
# step that fails without a failure counted counts one more.
step() {
  local name=$1; shift
  echo "=== $name"
  local start=$SECONDS ok=1
  "$@" 2>&1 | tee "$log" || ok=0
  local counts
  counts=$(awk '
    /^[0-9]+ passed, [0-9]+ failed$/ { p += $1; f += $3; n++ }
    /^\[  PASSED  \] [0-9]+ tests?\./ { p += $4; n++ }
    /^\[  FAILED  \] [0-9]+ tests?, listed below/ { f += $4; n++ }
    END { print (n ? p : -1), f + 0 }' "$log")
  local p=${counts% *} f=${counts#* }
  if [ "$p" -lt 0 ]; then p=$ok; f=$((1 - ok)); fi
  if [ "$ok" -eq 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p))
  failed=$((failed + f))
  if [ "$ok" -eq 1 ]; then echo "=== $name: passed ($((SECONDS - start)) s)"
  else echo "=== $name: FAILED ($((SECONDS - start)) s)"; status=1; fi
}

step "unit tests (native)" with_timeout 600 build/native/kxtests --gtest_brief=1
ensure_wineprefix
step "unit tests (Windows, under Wine)" with_timeout 900 wine build/win/kxtests.exe --gtest_brief=1
for extra in scripts/test_*.sh; do
  [ -e "$extra" ] || continue
  step "$(basename "$extra" .sh)" bash "$extra"
done
stop_wineserver
echo "=== all: $((SECONDS - start)) s"
echo "$passed passed, $failed failed"
exit $status
