#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a while on a scratch corpus
# seeded from tests/fuzz/. Usage: scripts/fuzz.sh [seconds per target] [target ...]
#   targets: index config suffix answers script-message (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(index config suffix answers script-message)
fi
declare -A binaries=([index]=FuzzIndexFile [config]=FuzzConfigFile [suffix]=FuzzDfuSuffix
                     [answers]=FuzzDeviceAnswers [script-message]=FuzzScriptMessage)
declare -A dictionaries=([index]=tests/fuzz/index.dict)

options=(-DTESSARY_FUZZ=ON -DTESSARY_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if command -v ccache >/dev/null 2>&1; then
    options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja "${options[@]}" >/dev/null
build=()
for target in "${targets[@]}"; do
    build+=("${binaries[$target]}")
done
cmake --build build-fuzz --target "${build[@]}"

for target in "${targets[@]}"; do
    corpus=$(mktemp -d)
    log=$(mktemp)
    arguments=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build-fuzz/)
    if [ -n "${dictionaries[$target]:-}" ]; then
        arguments+=(-dict="${dictionaries[$target]}")
    fi
    echo "fuzz: ${binaries[$target]} for $seconds s"
    # A crash, leak or time-out leaves its input in build-fuzz/ and a non-zero status.
    if ! "build-fuzz/bin/${binaries[$target]}" "${arguments[@]}" "$corpus" "tests/fuzz/$target" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz: ${binaries[$target]} failed" >&2
        exit 1
    fi
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)" "$log" || true
    rm -rf "$corpus" "$log"
done
