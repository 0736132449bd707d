#!/usr/bin/env bash
# Hover benchmark (not a test): what 1000 mouse moves over the grid cost in
# paints, canvas compositions and invalidations. Native, in build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRAXED_BENCH=ON >/dev/null
cmake --build build/bench --target kxbench -j "${KRAXED_JOBS:-1}" >/dev/null
build/bench/kxbench --benchmark_filter=HoverOverGrid "$@"
