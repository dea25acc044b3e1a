#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Tessary need. Idempotent: packages
# already present are skipped, and nothing is fetched when all are there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qtbase5-dev libqt5svg5-dev qtscript5-dev qttools5-dev qttools5-dev-tools
    libcurl4-openssl-dev libssl-dev libusb-1.0-0-dev zlib1g-dev libudev-dev
    umockdev libumockdev-dev dfu-util usbutils
    xvfb xauth xdotool
    python3 openssl curl locales
    fonts-dejavu-core
    clang libclang-rt-14-dev clang-format
    dpkg-dev help2man lintian desktop-file-utils appstream udev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages present"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
