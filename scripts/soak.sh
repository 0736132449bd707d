#!/usr/bin/env bash
# The long random session against the real editor under Wine:
# KRAXED_SOAK_ACTIONS actions (default 10000) from the seed KRAXED_SOAK_SEED
# (default the session's fixed one), a checked save every 200 actions;
# KRAXED_SOAK_VERBOSE=1 prints every step. The ordinary end-to-end run
# (scripts/test_e2e.sh) runs the same session with 1000 actions.
# Usage: scripts/soak.sh   (build first: scripts/build.sh all)
set -euo pipefail
cd "$(dirname "$0")/.."
export KRAXED_SOAK_ACTIONS=${KRAXED_SOAK_ACTIONS:-10000}
# The session's own watchdog allows 120 s + half a second per action; this
# limit is only the last resort behind it.
export KRAXED_E2E_TIMEOUT=${KRAXED_E2E_TIMEOUT:-$((600 + KRAXED_SOAK_ACTIONS))}
exec scripts/test_e2e.sh random_session
