#!/usr/bin/env bash
# Fails when a library includes a header of a layer above its own, or when platform-neutral code
# includes a linux/ header. The programs, tests and benchmarks on top may include anything.
# Usage: scripts/check-layers.sh [SOURCE_ROOT]
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"

# Lowest first; a layer may include its own headers and those of the layers before it.
layers=(resources app web sysinfo firmware sim usb device script ui)
declare -A rank=([resources]=0 [app]=0)
for ((i = 2; i < ${#layers[@]}; i++)); do
    rank[${layers[$i]}]=$((i - 1))
done

status=0
for layer in "${layers[@]}"; do
    [ -d "$layer" ] || continue
    while IFS= read -r -d '' file; do
        while IFS=: read -r line included; do
            target=${included%%/*}
            [ -n "${rank[$target]+set}" ] || continue
            if [ "${rank[$target]}" -gt "${rank[$layer]}" ]; then
                echo "$file:$line: includes $included from $target, a layer above $layer" >&2
                status=1
            fi
            if [[ "$included" == */linux/* && "$file" != */linux/* ]]; then
                echo "$file:$line: platform-neutral code includes the Linux header $included" >&2
                status=1
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
                 sed -E 's/^([0-9]+):[^"]*"([^"]*)".*/\1:\2/' || true)
    done < <(find "$layer" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0)
done
[ "$status" -eq 0 ] && echo "Layers: every include points down the stack."
exit "$status"
