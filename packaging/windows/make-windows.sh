#!/usr/bin/env bash
# The two Windows release files from the cross build's programs: the folder
# the game runs from (the .exe files, dat\ bmp\ sound\ voice\ and a read-me),
# zipped, and the same folder in an installer made by makensis. Skips, saying
# so, when the Windows build has not been made (make windows).
#
#   make-windows.sh WINDOWS_BUILD VERSION OUT_DIR WORK_DIR
set -euo pipefail
windows_build="$1" version="$2" out="$3" work="$4"
out="$(realpath "$out")" work="$(mkdir -p "$work" && realpath "$work")"
here="$(cd "$(dirname "$0")" && pwd)"
assets="$here/../../assets"

program() {
  if [ -d "$windows_build" ]; then
    find "$windows_build" -name "$1" -type f -not -path '*/CMakeFiles/*' | sort | head -1
  fi
}
game="$(program kerna-reversi.exe)"
engine="$(program kerna-engine.exe)"
if [ -z "$game" ] || [ -z "$engine" ]; then
  echo "skipped the Windows zip and installer: no kerna-reversi.exe and kerna-engine.exe" \
    "in $windows_build/ (make windows builds them)" >&2
  exit 0
fi

folder="kerna-reversi-$version"
stage="$work/windows/$folder"
rm -rf "$work/windows" && mkdir -p "$stage"
cp "$game" "$engine" "$stage/"
cp -r "$assets/dat" "$assets/bmp" "$assets/sound" "$assets/voice" "$stage/"
# The read-me with Windows line ends and a byte-order mark, so that every
# Notepad shows its Japanese.
{ printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README.txt"; } \
  >"$stage/README.txt"
# Every file dated by the commit, so one commit zips to the same bytes.
stamp="$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)"
find "$stage" -exec touch -h -d "@$stamp" {} +

zip_file="$out/kerna-reversi-$version-windows.zip"
rm -f "$zip_file"
(cd "$work/windows" && find "$folder" -print | LC_ALL=C sort | TZ=UTC zip -X -9 -q -@ \
  "$zip_file")
echo "$zip_file"

convert "$assets"/icons/kerna-reversi-{16,32,48,256}.png "$work/windows/kerna-reversi.ico"
setup="$out/kerna-reversi-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
  -DICON="$work/windows/kerna-reversi.ico" -DOUTFILE="$setup" \
  -DSIZE_KB="$(du -sk "$stage" | cut -f1)" "$here/installer.nsi" >&2
echo "$setup"
