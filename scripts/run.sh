#!/usr/bin/env bash
# Sets up, builds, and opens the editor on the bundled sample level set.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh all
echo "The editor window is not built yet; the sample set's contents:"
build/native/kxl info data/sample.kxl 2>/dev/null || echo "(no sample level set yet)"
