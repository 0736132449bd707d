#!/usr/bin/env bash
# End-to-end tests: the real kraxed.exe under Wine on a private virtual
# display, driven by build/win/kxe2e.exe in fresh program folders.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine_env.sh

scripts/make_program_dir.sh build/program >/dev/null
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
ensure_wineprefix
export KRAXED_PROGRAM_DIR
KRAXED_PROGRAM_DIR=$(winepath -w build/program 2>/dev/null)
with_timeout "${KRAXED_E2E_TIMEOUT:-1800}" wine build/win/kxe2e.exe --gtest_brief=1 "$@"
