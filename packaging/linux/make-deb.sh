#!/usr/bin/env bash
# The Linux desktop package: what `cmake --install` lays out under /usr (the
# programs stripped, the data, the menu entry, icons, the .ggf type and the
# AppStream metadata), the manual pages, Debian's documentation files and a
# control file whose Depends come from the libraries the programs link
# (dpkg-shlibdeps) plus the font the game renders its text with.
#
#   make-deb.sh BUILD_DIR VERSION OUT_DIR WORK_DIR
set -euo pipefail
build="$1" version="$2" out="$3" work="$4"
out="$(realpath "$out")" work="$(mkdir -p "$work" && realpath "$work")"
here="$(cd "$(dirname "$0")" && pwd)"
maintainer="${DEB_MAINTAINER:-kerna-reversi developers <kerna-reversi@example.org>}"
name=kerna-reversi
root="$work/deb-root"

rm -rf "$root" && mkdir -p "$root/DEBIAN"
DESTDIR="$root" cmake --install "$build" --prefix /usr --strip >/dev/null
# Debian keeps games in /usr/games; the programs still find their data in
# ../share/kerna-reversi from there, and the menu entry names the full path.
mv "$root/usr/bin" "$root/usr/games"
sed -i 's|^Exec=kerna-reversi|Exec=/usr/games/kerna-reversi|' \
  "$root/usr/share/applications/$name.desktop"

doc="$root/usr/share/doc/$name"
install -d "$doc"
install -m 644 "$here/copyright" "$doc/copyright"
# A native package (the version has no Debian revision), so changelog.gz; its
# date is the commit's, so that one commit gives one package.
date="$(git -C "$here" log -1 --format=%aD 2>/dev/null || date -R)"
printf '%s (%s) stable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
  "$name" "$version" "$version" "$maintainer" "$date" | gzip -9n >"$doc/changelog.gz"

install -d "$root/usr/share/man/man6"
for page in kerna-reversi kerna-engine; do
  gzip -9n <"$here/$page.6" >"$root/usr/share/man/man6/$page.6.gz"
done

# dpkg-shlibdeps wants to run inside a source package; a bare one will do.
mkdir -p "$work/shlibdeps/debian"
echo "Source: $name" >"$work/shlibdeps/debian/control"
libraries="$(cd "$work/shlibdeps" && dpkg-shlibdeps -O "$root/usr/games/"* 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')"
[ -n "$libraries" ] || { echo "dpkg-shlibdeps found no libraries" >&2; exit 1; }

find "$root/usr" -type d -exec chmod 755 {} +
find "$root/usr" -type f -exec chmod 644 {} +
chmod 755 "$root/usr/games/"*
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 644 "$root/DEBIAN/md5sums"
sed -e "s|@VERSION@|$version|" -e "s|@MAINTAINER@|$maintainer|" \
    -e "s|@INSTALLED_SIZE@|$(du -sk --exclude=DEBIAN "$root" | cut -f1)|" \
    -e "s|@DEPENDS@|$libraries, fonts-ipafont-gothic|" \
    "$here/control.in" >"$root/DEBIAN/control"

deb="$out/${name}_${version}_amd64.deb"
SOURCE_DATE_EPOCH="$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)" \
  dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
