#!/usr/bin/env bash
# Builds the native unit tests with AddressSanitizer and UndefinedBehavior-
# Sanitizer and runs them. Any sanitizer report fails the run: UBSan stops at
# its first report, ASan at its first error, and leaks count. They are built
# beside the fuzz targets (build/fuzz, clang), whose build already holds the
# whole core with both sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/fuzz_targets.sh
build_fuzz_targets kxtests
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
build/fuzz/kxtests --gtest_brief=1

# As root, permissions stop nothing and the tests of read-only and
# unreadable files skip themselves; run those again as an ordinary user.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null &&
   setpriv --reuid=65534 --regid=65534 --clear-groups test -x build/fuzz/kxtests 2>/dev/null; then
  echo "again as an ordinary user: the tests of files without permissions"
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    build/fuzz/kxtests --gtest_brief=1 --gtest_filter='SaveFaultMatrix.*:StartupWithoutFiles.*:Storage.*'
fi
