#!/usr/bin/env bash
# One command from a fresh Debian 12 machine to an update of the simulated headset: installs what
# is missing, builds what is needed, lays out a program folder (Tessary, Calvast, Config.xml with
# the simulated headset, the sample firmware and the public key its index is signed with, licence,
# translations) and runs a full script headless,
# printing the script's steps as they happen and a summary of its results file.
# Usage: scripts/demo.sh [SCRIPT]   (default examples/scripts/update.js)
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
script=$(realpath "${1:-$root/examples/scripts/update.js}")
cd "$root"

scripts/install-deps.sh
echo "demo: building Tessary (the first build takes a few minutes)"
scripts/build.sh Tessary Calvast sample_firmware >/dev/null

bin=build/bin
bundle=$(mktemp -d)
trap 'rm -rf "$bundle"' EXIT
cp "$bin/Tessary" "$bin/Calvast" "$bin/eula_en.htm" "$bin/SimulatedHeadset.xml" "$bundle/"
cp -r "$bin/FirmwareFiles" "$bundle/"
cp "$bin/FirmwareFiles/sample-index-key.pem" "$bundle/"
cp "$bin"/ui_*.qm "$bundle/"
sed -e 's|<UsbBackend>[^<]*</UsbBackend>|<UsbBackend>simulator</UsbBackend>|' \
    -e 's|</Config>|    <IndexFileTrustedKeys>sample-index-key.pem</IndexFileTrustedKeys>\n</Config>|' \
    "$bin/Config.xml" > "$bundle/Config.xml"

echo "demo: running $(basename "$script") on the simulated headset (program folder $bundle)"
export TESSARY_APP_DIR="$bundle" TMPDIR="$bundle" QT_QPA_PLATFORM=offscreen
results="$bundle/results.xml"
"$bundle/Tessary" -nocleanup 1 -script "$script" -results "$results" &
tessary=$!
status=0
scripts/results-report.py "$results" --follow "$tessary" --log "$bundle/UpdateSkerrowError.log" || status=$?
wait "$tessary" || true
if grep -q "Uncaught full script exception" "$bundle/UpdateSkerrowError.log"; then
    grep "Uncaught full script exception" "$bundle/UpdateSkerrowError.log" | cut -c26- >&2
    status=1
fi
exit $status
