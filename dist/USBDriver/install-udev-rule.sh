#!/bin/sh
# Installs the headset's udev rule. Usage: install-udev-rule.sh [rules-directory]
# Exit code 0 on success. Run as root (the updater uses pkexec when it is not).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
rules_dir=${1:-/etc/udev/rules.d}
rule=70-orvo-headset.rules

mkdir -p "$rules_dir"
cp "$here/$rule" "$rules_dir/$rule.tmp"
chmod 0644 "$rules_dir/$rule.tmp"
mv "$rules_dir/$rule.tmp" "$rules_dir/$rule"

# Make udev apply the rule to a headset that is already plugged in. Where udev does not run
# (containers, test folders) the rule is still in place for the next boot.
if [ "$rules_dir" = /etc/udev/rules.d ] && command -v udevadm >/dev/null 2>&1; then
    udevadm control --reload-rules || true
    udevadm trigger --subsystem-match=usb --attr-match=idVendor=0a12 || true
fi
exit 0
