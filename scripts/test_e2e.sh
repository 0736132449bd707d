#!/usr/bin/env bash
# End-to-end tests: the real kraxed.exe under Wine on a private virtual
# display, driven by build/win/kxe2e.exe in fresh program folders.
set -euo pipefail
cd "$(dirname "$0")/.."
# A prefix of their own: the tests switch Wine's window management off, which
# a user's desktop (scripts/run.sh) must keep.
export WINEPREFIX=${KRAXED_E2E_PREFIX:-$PWD/build/wineprefix-e2e}
. scripts/wine_env.sh

scripts/make_program_dir.sh build/program >/dev/null
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
ensure_wineprefix
# Without a window manager on the virtual display, a managed Wine window waits
# two seconds for one whenever it is hidden; Wine placing its own windows does not.
with_timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
export KRAXED_PROGRAM_DIR
KRAXED_PROGRAM_DIR=$(winepath -w build/program 2>/dev/null)
with_timeout "${KRAXED_E2E_TIMEOUT:-1800}" wine build/win/kxe2e.exe --gtest_brief=1 "$@"
