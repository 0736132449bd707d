#!/usr/bin/env bash
# Builds kraxed natively (build/native) and for Windows (build/win).
# Usage: scripts/build.sh [native|win|all]  (default all)
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
jobs=${KRAXED_JOBS:-2}

if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/native -j "$jobs"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
  cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/win -j "$jobs"
fi
