#!/usr/bin/env bash
# make dist: every release file in one folder, named by the project's version
# (CMakeLists.txt, written by cmake into the build as kerna-version.txt),
# with SHA256SUMS beside them and a table of sizes and digests printed.
#
#   dist.sh DIST_DIR PROGRAM_BUILD WEB_SITE WINDOWS_BUILD
set -euo pipefail
dist="$1" release_build="$2" site="$3" windows_build="$4"
here="$(cd "$(dirname "$0")" && pwd)"
version="$(cat "$release_build/kerna-version.txt")"
work="$dist/work"

mkdir -p "$dist" "$work"
rm -f "$dist"/kerna-reversi* "$dist/SHA256SUMS"
bash "$here/linux/make-deb.sh" "$release_build" "$version" "$dist" "$work" >/dev/null
bash "$here/windows/make-windows.sh" "$windows_build" "$version" "$dist" "$work" >/dev/null
bash "$here/web/make-zip.sh" "$site" "$version" "$dist" "$work" >/dev/null

cd "$dist"
files=(kerna-reversi*)
sha256sum "${files[@]}" >SHA256SUMS
echo "release files of version $version in $dist/:"
while read -r digest name; do
  printf '  %-40s %10s bytes  %s\n' "$name" "$(stat -c %s "$name")" "$digest"
done <SHA256SUMS
