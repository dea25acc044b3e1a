#!/usr/bin/env bash
# Updates the simulated headset end to end: a temporary program folder with the sample firmware
# bundle, the public key its index file is signed with and the simulated headset's profile, then
# tessary-update against it.
# Usage: scripts/demo.sh [tessary-update options]   (build first: scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/bin
if [ ! -x "$bin/tessary-update" ]; then
    echo "demo: build first (scripts/install-deps.sh && scripts/build.sh)" >&2
    exit 1
fi

bundle=$(mktemp -d)
trap 'rm -rf "$bundle"' EXIT
cp -r "$bin/FirmwareFiles" "$bin/SimulatedHeadset.xml" "$bin/FirmwareFiles/sample-index-key.pem" "$bundle/"
sed -e 's|<UsbBackend>[^<]*</UsbBackend>|<UsbBackend>simulator</UsbBackend>|' \
    -e 's|<IndexFileName>[^<]*</IndexFileName>|<IndexFileName>index.xml</IndexFileName>|' \
    -e 's|</Config>|    <IndexFileTrustedKeys>sample-index-key.pem</IndexFileTrustedKeys>\n</Config>|' \
    "$bin/Config.xml" > "$bundle/Config.xml"

export TESSARY_APP_DIR="$bundle"
export TMPDIR="$bundle"
status=0
"$bin/tessary-update" "$@" || status=$?
echo "--- log: the headset's story as the engine told it ---"
grep -E "Info|Error|Exception" "$bundle/TessaryUpdate.log" | grep -E "verified|state changed|version read|Exception|Error" | head -40 || true
exit $status
