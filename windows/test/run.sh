#!/usr/bin/env bash
# `make windows-test`: the scenario's pictures from the desktop's headless
# backend, then the .exe files under Wine in Xvfb (play.py). The Wine prefix
# is made once and kept in the Windows build folder (the first start of Wine
# takes most of a minute).
#   usage: windows/test/run.sh DESKTOP_BUILD WINDOWS_BUILD
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
desktop="$(realpath "$1")"
windows="$(realpath "$2")"
out="$windows/test"
source "$root/tests/xvfb/xvfb_common.sh"

require_tools Xvfb xdotool import convert python3 /usr/lib/wine/wine64
export WINEPREFIX="$windows/wine-prefix" WINEDEBUG=-all
# No .NET and no HTML engine: the prompts to install them would wait forever.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "making the Wine prefix (once)"
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

rm -rf "$out" && mkdir -p "$out/desktop"
"$desktop/web/test/frames/kerna-web-frames" "$here/scenario.txt" "$out/desktop"
start_xvfb 1600x1200
status=0
python3 "$here/play.py" "$windows" "$root/assets" "$out/desktop" \
  "$desktop/tests/xvfb/xvfb_helper" "$out" || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
