#!/usr/bin/env bash
# The browser version as one zip: the static site (make web), in a folder
# whose contents go onto any web server as they are.
#
#   make-zip.sh SITE_DIR VERSION OUT_DIR WORK_DIR
set -euo pipefail
site="$1" version="$2" out="$3" work="$4"
out="$(realpath "$out")" work="$(mkdir -p "$work" && realpath "$work")"
[ -f "$site/index.html" ] || { echo "no site in $site (make web builds it)" >&2; exit 1; }

folder="kerna-reversi-$version-web"
rm -rf "$work/web" && mkdir -p "$work/web"
cp -r "$site" "$work/web/$folder"
stamp="$(git -C "$(dirname "$0")" log -1 --format=%ct 2>/dev/null || date +%s)"
find "$work/web/$folder" -exec touch -h -d "@$stamp" {} +
zip_file="$out/$folder.zip"
rm -f "$zip_file"
(cd "$work/web" && find "$folder" -print | LC_ALL=C sort | TZ=UTC zip -X -9 -q -@ \
  "$zip_file")
echo "$zip_file"
