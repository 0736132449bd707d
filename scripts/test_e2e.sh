#!/usr/bin/env bash
# End-to-end tests: the real kraxed.exe under Wine on a private virtual
# display, driven through build/win/kxdrive.exe by tests/e2e/run.py in fresh
# program folders. The last line reads "N passed, M failed".
# Usage: scripts/test_e2e.sh [CASE...]   (all cases when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."
# A prefix of their own: the tests switch Wine's window management off
# (ensure_wineprefix), which a user's desktop (scripts/run.sh) must keep.
export WINEPREFIX=${KRAXED_E2E_PREFIX:-$PWD/build/wineprefix-e2e}
. scripts/wine_env.sh

scripts/make_program_dir.sh build/program >/dev/null
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
ensure_wineprefix
status=0
with_timeout "${KRAXED_E2E_TIMEOUT:-900}" /usr/bin/python3 -B tests/e2e/run.py "$@" || status=1
if [ $# -eq 0 ]; then
  # Once more at 144 DPI, as Linux users with a high-resolution screen set
  # Wine; the prefix is set back afterwards.
  dpi() {
    with_timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    stop_wineserver
  }
  dpi 144
  KRAXED_E2E_DPI=144 with_timeout 300 /usr/bin/python3 -B tests/e2e/run.py || status=1
  dpi 96
fi
exit $status
