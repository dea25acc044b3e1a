#!/usr/bin/env bash
# From a fresh Debian 12 machine: installs what the build needs, builds, and runs every test.
# Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh "$@"

build_dir=build
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
fi
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure -j "$(nproc)"
