#!/usr/bin/env bash
# The interactive update of the simulated headset: lays out a program folder (Tessary, Calvast,
# Config.xml selecting the simulated headset, the sample firmware, licence, USB access rule) and
# starts Calvast in it, which starts the wizard. Needs a display; without one, run it under Xvfb
# (xvfb-run scripts/wizard.sh) and look at it with a VNC viewer or through TESSARY_UI_RECORD.
# Usage: scripts/wizard.sh [--layout DIR] [--no-rule] [Tessary options]
#   --layout DIR  only lay out the program folder in DIR (tests use it) and exit
#   --no-rule     leave the folder's udev rules directory empty, so the wizard offers to install
#                 the USB access rule (as root, or the wizard stops for administrator rights)
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
cd "$root"

layout=""
install_rule=1
while [ $# -gt 0 ]; do
    case "$1" in
    --layout) layout=$(realpath -m "$2"); shift 2 ;;
    --no-rule) install_rule=0; shift ;;
    *) break ;;
    esac
done

bin=${TESSARY_BUILD_BIN:-build/bin}
if [ -z "$layout" ]; then
    scripts/install-deps.sh
    echo "wizard: building Tessary (the first build takes a few minutes)"
    scripts/build.sh Tessary Calvast sample_firmware >/dev/null
fi

bundle=${layout:-$(mktemp -d)}
if [ -z "$layout" ]; then
    trap 'rm -rf "$bundle"' EXIT
fi
mkdir -p "$bundle/rules.d"
cp "$bin/Tessary" "$bin/Calvast" "$bin/eula_en.htm" "$bin/SimulatedHeadset.xml" "$bundle/"
cp -r "$bin/USBDriver" "$bundle/"
# Started by Calvast, Tessary's bundle path is the folder of the program that started Calvast (the
# shell's); the sample firmware goes into the program folder, which is searched first.
cp "$bin"/FirmwareFiles/* "$bundle/"
cp -r "$bin/SupportPage" "$bundle/" 2>/dev/null || true
cp "$bin"/ui_*.qm "$bundle/" 2>/dev/null || true
# The simulated headset, the sample firmware's signed index file, and a rules folder of the bundle's
# own so that nothing is installed into the system's.
sed -e 's|<UsbBackend>[^<]*</UsbBackend>|<UsbBackend>simulator</UsbBackend>\n    <UdevRulesDirectory>rules.d</UdevRulesDirectory>|' \
    -e 's|<IndexFileName>[^<]*</IndexFileName>|<IndexFileName>index.xml</IndexFileName>|' \
    -e 's|</Config>|    <IndexFileTrustedKeys>sample-index-key.pem</IndexFileTrustedKeys>\n</Config>|' \
    "$bin/Config.xml" > "$bundle/Config.xml"
if [ "$install_rule" = 1 ]; then
    cp "$bin/USBDriver/70-orvo-headset.rules" "$bundle/rules.d/"
fi
if [ -n "$layout" ]; then
    exit 0
fi

echo "wizard: program folder $bundle; the log is $bundle/UpdateSkerrowError.log while it runs"
cd "$bundle"
TESSARY_APP_DIR="$bundle" TMPDIR="$bundle" ./Calvast "$@"
