#!/usr/bin/env bash
# Tests of the Win32 shell under Wine (build/win/kxshelltests.exe): the GDI
# painter and the tile sheets, painted into memory, counted for leaks.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine_env.sh
if [ ! -f build/win/kxshelltests.exe ]; then
  echo "test_shell: no build/win/kxshelltests.exe; run scripts/build.sh win first" >&2
  exit 1
fi
ensure_wineprefix
with_timeout 300 wine build/win/kxshelltests.exe --gtest_brief=1 "$@"
