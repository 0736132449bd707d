#!/usr/bin/env bash
# Builds kraxed natively (build/native, Release) and for Windows (build/win,
# RelWithDebInfo).
# Usage: scripts/build.sh [native|win|all|program]  (default all)
#   program: only what opening the editor needs: the art builder (native)
#            and kraxed.exe (Windows).
# KRAXED_WERROR=ON makes warnings errors (the test command sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
jobs=${KRAXED_JOBS:-2}
werror=-DKRAXED_WERROR=${KRAXED_WERROR:-OFF}

native() {
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release "$werror" >/dev/null
  cmake --build build/native -j "$jobs" "$@"
}
win() {
  cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "$werror" >/dev/null
  cmake --build build/win -j "$jobs" "$@"
}
case "$what" in
  native) native ;;
  win) win ;;
  all) native && win ;;
  program) native --target artbuild && win --target kraxed ;;
  *) echo "usage: $0 [native|win|all|program]" >&2; exit 2 ;;
esac
