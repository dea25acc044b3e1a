#!/usr/bin/env bash
# Makes the Debian packages from build/ and checks them as a user would meet them: what they hold,
# lintian, the desktop entry and the AppStream data. As root it also installs them, runs the
# installed programs against the simulated headset and removes them again, so the machine ends as it
# started. Usage: scripts/check-package.sh   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

source_dir=$PWD
build_dir=$source_dir/build
bin=$build_dir/bin
work=$(mktemp -d)
installed=()

cleanup() {
    if [ ${#installed[@]} -gt 0 ]; then
        dpkg --purge "${installed[@]}" >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "check-package: FAIL: $*" >&2
    exit 1
}

step() {
    echo "check-package: $*"
}

step "making the packages"
rm -rf "$build_dir/packages"
cmake --build "$build_dir" --target package > "$work/package.log" 2>&1 || { cat "$work/package.log"; fail "cpack failed"; }
version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
arch=$(dpkg --print-architecture)
deb=$build_dir/packages/tessary_${version}_${arch}.deb
simbed_deb=$build_dir/packages/tessary-simbed_${version}_${arch}.deb
[ -f "$deb" ] || fail "no $deb: does packaging/changelog name the version CMake builds?"
[ -f "$simbed_deb" ] || fail "no $simbed_deb"
ls -l "$build_dir"/packages/*.deb

step "contents"
dpkg-deb -c "$deb" | awk '{print $6}' > "$work/tessary.list"
dpkg-deb -c "$simbed_deb" | awk '{print $6}' > "$work/simbed.list"
expect_in() {
    local list=$1
    shift
    for entry in "$@"; do
        grep -qxF "./$entry" "$work/$list.list" || fail "$entry missing from the $list package"
    done
}
bundle=usr/lib/tessary
expect_in tessary "$bundle/Tessary" "$bundle/Calvast" "$bundle/tessary-update" "$bundle/Config.xml" \
    "$bundle/eula_en.htm" "$bundle/SupportPage/page.html" "$bundle/SupportPage/icon.svg" \
    "$bundle/USBDriver/70-orvo-headset.rules" "$bundle/USBDriver/install-udev-rule.sh" \
    etc/tessary/Config.xml usr/lib/udev/rules.d/70-orvo-headset.rules usr/bin/tessary usr/bin/tessary-update \
    usr/share/applications/tessary.desktop usr/share/metainfo/com.orvo.tessary.metainfo.xml \
    usr/share/icons/hicolor/{16x16,32x32,48x48,128x128}/apps/tessary.png \
    usr/share/icons/hicolor/scalable/apps/tessary.svg usr/share/man/man1/tessary.1.gz \
    usr/share/man/man1/tessary-update.1.gz usr/share/doc/tessary/copyright usr/share/doc/tessary/changelog.Debian.gz
for translation in "$bin"/ui_*.qm; do
    if [ -e "$translation" ]; then
        expect_in tessary "$bundle/$(basename "$translation")"
    fi
done
expect_in simbed "$bundle/tessary-simbed" "$bundle/SimulatedHeadset.xml" usr/bin/tessary-simbed \
    usr/share/man/man1/tessary-simbed.1.gz usr/share/doc/tessary-simbed/copyright
# Sample firmware, build tools, tests and benchmarks stay in the build.
if grep -E 'FirmwareFiles|\.dfu$|index\.xml|tessary-(art|pack|probe|shutdown-probe|gallery)|/(Test|Bench|Fuzz)[^/]*$' \
    "$work/tessary.list" "$work/simbed.list"; then
    fail "the packages hold files that must stay in the build"
fi
grep -q SimulatedHeadset "$work/tessary.list" && fail "the simulated headset belongs in tessary-simbed only"

mkdir "$work/tessary" "$work/simbed"
dpkg-deb -x "$deb" "$work/tessary"
dpkg-deb -x "$simbed_deb" "$work/simbed"
if grep -rlaF "$source_dir" "$work/tessary" "$work/simbed"; then
    fail "the packages hold paths of this build"
fi
[ "$(readlink "$work/tessary/$bundle/Config.xml")" = /etc/tessary/Config.xml ] ||
    fail "the program folder's Config.xml does not point at /etc/tessary"
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -qx /etc/tessary/Config.xml ||
    fail "/etc/tessary/Config.xml is not a conffile"
# The driver check answers "installed" only when the rule udev reads is the one in the program folder.
cmp "$work/tessary/$bundle/USBDriver/70-orvo-headset.rules" "$work/tessary/usr/lib/udev/rules.d/70-orvo-headset.rules" ||
    fail "the packaged udev rule differs from the program folder's"
metainfo=$work/tessary/usr/share/metainfo/com.orvo.tessary.metainfo.xml
grep -q "<release version=\"${version%-*}\"" "$metainfo" ||
    fail "the AppStream data does not name release ${version%-*} first"

step "desktop entry and AppStream data"
desktop-file-validate "$work/tessary/usr/share/applications/tessary.desktop"
appstreamcli validate --no-net "$metainfo"

step "lintian"
# Warnings are listed in the README with the reason each is left; errors fail.
lintian_status=0
lintian --fail-on error "$deb" "$simbed_deb" > "$work/lintian.txt" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$work/lintian.txt" || true
[ $lintian_status -eq 0 ] || fail "lintian reports errors"

if [ "$(id -u)" -ne 0 ]; then
    step "not root: installing and running the packaged programs skipped"
    exit 0
fi

step "installing"
for package in tessary tessary-simbed; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        fail "$package is installed already; remove it first"
    fi
done
installed=(tessary-simbed tessary)
dpkg -i "$deb" "$simbed_deb" >/dev/null

step "the installed tessary-update finds its program folder through its link on PATH"
# Config.xml from /etc names the maker's server; the run only has to get as far as asking for the index.
mkdir "$work/run"
TMPDIR=$work/run /usr/bin/tessary-update --wait 1 >/dev/null || true
grep -q "bundle path = /usr/lib/tessary\$" "$work/run/TessaryUpdate.log" || fail "program folder not found"
grep -q "Downloading SkerrowIndex.xml" "$work/run/TessaryUpdate.log" || fail "/etc/tessary/Config.xml not read"

step "the installed tessary-update updates the simulated headset (TESSARY_APP_DIR)"
app_dir=$work/app
mkdir "$app_dir"
cp -r "$bin/FirmwareFiles" "$bin/SimulatedHeadset.xml" "$app_dir/"
sed -e 's|<UsbBackend>[^<]*</UsbBackend>|<UsbBackend>simulator</UsbBackend>|' \
    -e 's|<IndexFileName>[^<]*</IndexFileName>|<IndexFileName>index.xml</IndexFileName>|' \
    /etc/tessary/Config.xml > "$app_dir/Config.xml"
TESSARY_APP_DIR=$app_dir TMPDIR=$app_dir tessary-update --wait 20 > "$work/update.txt" ||
    { cat "$work/update.txt"; fail "the update failed"; }
grep -q "Updated: the headset reports release 01.01.00" "$work/update.txt" || fail "no updated release reported"

step "the installed tessary-update --list --json describes the simulated headset"
TESSARY_APP_DIR=$app_dir TMPDIR=$app_dir tessary-update --list --json --wait 20 > "$work/list.json" ||
    { cat "$work/list.json"; fail "the listing failed"; }
python3 - "$work/list.json" <<'EOF'
import json
import sys

with open(sys.argv[1], encoding="utf-8") as f:
    document = json.load(f)


def expect(what, actual, wanted):
    if actual != wanted:
        sys.exit(f"--list --json: {what} is {actual!r}, not {wanted!r}: {json.dumps(document)}")


expect("command", document.get("command"), "list")
expect("result", document.get("result"), "listed")
expect("exitCode", document.get("exitCode"), 0)
expect("error", document.get("error"), None)
headsets = document.get("headsets")
expect("number of headsets", len(headsets) if isinstance(headsets, list) else None, 1)
headset = headsets[0]
for key, wanted in (("mode", "application"), ("vendorId", "0a12"), ("productId", "1f20"), ("product", "Orvo ZR3h"),
                    ("hardware", "01.00.00"), ("serial", "ZR3H00012345"), ("newest", "01.01.00"),
                    ("updateAvailable", True), ("error", None)):
    expect(key, headset.get(key), wanted)
# The simulated headset starts afresh in every process, so the update above does not show here.
expect("versions", headset.get("versions"), {"release": "01.00.00", "stack": "01.00.00", "vmApplication": "01.00.00"})
expect("offered", headset.get("offered"), ["01.00.00", "01.01.00"])
EOF

step "tessary-simbed puts the simulated headset on the bus for another program"
tessary-simbed -- dfu-util -l > "$work/dfu.txt" 2>&1 || { cat "$work/dfu.txt"; fail "tessary-simbed failed"; }
grep -q "Found Runtime: \[0a12:1f20\]" "$work/dfu.txt" || fail "dfu-util did not find the simulated headset"

step "removing"
dpkg --purge "${installed[@]}" >/dev/null
installed=()
for leftover in /usr/lib/tessary /etc/tessary /usr/bin/tessary /usr/lib/udev/rules.d/70-orvo-headset.rules; do
    [ ! -e "$leftover" ] || fail "$leftover is left after the purge"
done
step "all good"
