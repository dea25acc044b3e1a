#!/usr/bin/env bash
# Configures and builds Tessary. Usage: scripts/build.sh [--sanitize] [TARGET...]
#   default:     build/       (RelWithDebInfo)
#   --sanitize:  build-asan/  (address and undefined-behaviour sanitizers)
#   TARGET...:   only these targets (everything when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    shift
    build_dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DTESSARY_SANITIZE=ON -DTESSARY_BUILD_BENCH=OFF)
fi
# Rebuilds of other checkouts of the same sources come from the compiler cache when there is one.
if command -v ccache >/dev/null 2>&1; then
    options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

targets=()
for target in "$@"; do
    targets+=(--target "$target")
done

cmake -S . -B "$build_dir" -G Ninja "${options[@]}"
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"
