#!/usr/bin/env bash
# Sets up, builds and runs every test of kraxed: the native unit tests, the
# same tests built for Windows under Wine, and the end-to-end tests of the
# editor under Wine on a virtual display. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
start=$SECONDS
KRAXED_WERROR=ON scripts/build.sh all
echo "=== build: $((SECONDS - start)) s"

. scripts/wine_env.sh
status=0
step() {
  local name=$1; shift
  echo "=== $name"
  local start=$SECONDS
  if "$@"; then echo "=== $name: passed ($((SECONDS - start)) s)"
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
exit $status
