#!/usr/bin/env bash
# The layer check finds an upward include and a Linux header in platform-neutral code, and passes
# what points down the stack. Usage: TestLayerCheck.sh PATH_TO_check-layers.sh
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/usb/linux" "$tree/device" "$tree/app"
printf '#include "usb/linux/LibusbTransport.h"\n#include "app/ILogger.h"\n#include <QDir>\n' >"$tree/usb/linux/Ok.cpp"
printf '#include "app/ILogger.h"\n#include "sim/SimBus.h"\n#include "usb/Own.h"\n' >"$tree/usb/Down.cpp"
printf '#pragma once\n' >"$tree/device/Clean.h"

"$check" "$tree" >/dev/null

printf '#include "app/ILogger.h"\n  #  include "device/Pelarin.h"\n' >"$tree/usb/Up.cpp"
printf '#include "usb/linux/LibusbTransport.h"\n' >"$tree/device/Neutral.cpp"
if output=$("$check" "$tree" 2>&1); then
    echo "the check passed a tree with an upward include" >&2
    exit 1
fi
grep -qF 'usb/Up.cpp:2: includes device/Pelarin.h from device, a layer above usb' <<<"$output"
grep -qF 'device/Neutral.cpp:1: platform-neutral code includes the Linux header usb/linux/LibusbTransport.h' <<<"$output"
[ "$(wc -l <<<"$output")" -eq 2 ]
echo "layer check: ok"
