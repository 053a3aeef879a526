#!/usr/bin/env bash
# The installer run silently under Wine, as a user's double click would: the
# game's folder in Program Files, the Start menu entry, .ggf opening in the
# review and the Apps & features entry; then its uninstaller, which must take
# all of it away again.
#
#   check-installer.sh SETUP.exe WORK_DIR
set -euo pipefail
setup="$(realpath "$1")" work="$(mkdir -p "$2" && realpath "$2")"
fail() { echo "check-installer: $*" >&2; exit 1; }
export WINEPREFIX="$work/installer-wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine() { timeout 300 /usr/lib/wine/wine64 "$@" 2>/dev/null; }
[ -d "$WINEPREFIX" ] || wine wineboot -i >/dev/null
folder="$WINEPREFIX/drive_c/Program Files/kerna-reversi"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ケルナのリバーシ.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kerna-reversi'

wine "$setup" /S
/usr/lib/wine/wineserver -w
for path in kerna-reversi.exe kerna-engine.exe README.txt uninstall.exe dat/table.dat \
  sound/oku2.wav voice/5/59.mp3 bmp; do
  [ -e "$folder/$path" ] || fail "installed without $path"
done
[ -f "$shortcut" ] || fail "no Start menu entry"
command="$(wine reg query 'HKLM\Software\Classes\KernaReversi.ggf\shell\open\command')"
grep -qF '"C:\Program Files\kerna-reversi\kerna-reversi.exe" --review "%1"' <<<"$command" ||
  fail ".ggf does not open in the review: $command"
wine reg query 'HKLM\Software\Classes\.ggf' | grep -q KernaReversi.ggf || fail ".ggf not the game's"
wine reg query "$uninstall_key" | grep -q UninstallString || fail "no Apps & features entry"
echo "installed: $(find "$folder" -type f | wc -l) files, Start menu entry, .ggf, uninstaller"

wine "$folder/uninstall.exe" /S
/usr/lib/wine/wineserver -w
[ ! -e "$folder" ] || fail "the uninstaller left $(find "$folder" | head -3)"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu entry"
! wine reg query 'HKLM\Software\Classes\.ggf' >/dev/null || fail "the uninstaller left .ggf"
! wine reg query "$uninstall_key" >/dev/null || fail "the uninstaller left its entry"
echo "uninstalled: nothing left"
