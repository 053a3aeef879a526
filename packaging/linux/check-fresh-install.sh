#!/usr/bin/env bash
# The Linux package on a fresh Debian 12: a minimal system made by mmdebstrap
# from this machine's own package sources, `apt install ./PACKAGE.deb` in it
# (every dependency from the archive), then the installed engine run there.
# Needs root and a few minutes; the system is removed again afterwards.
#
#   check-fresh-install.sh PACKAGE.deb WORK_DIR
set -euo pipefail
deb="$(realpath "$1")" work="$(mkdir -p "$2" && realpath "$2")"
root="$work/fresh-debian"
sources=/etc/apt/sources.list.d/debian.sources
[ -f "$sources" ] || sources=/etc/apt/sources.list
trap 'rm -rf "$root"' EXIT

rm -rf "$root"
mmdebstrap --quiet --variant=apt --mode=root \
  --customize-hook="copy-in $deb /tmp" \
  --customize-hook="chroot \"\$1\" apt-get install -y -q /tmp/${deb##*/} >/dev/null" \
  --customize-hook='chroot "$1" dpkg-query -W -f="installed \${Package} \${Version}\n" kerna-reversi' \
  --customize-hook='chroot "$1" sh -c "printf \"nboard 2\\nping 5\\nquit\\n\" | /usr/games/kerna-engine" | grep -x "pong 5"' \
  bookworm "$root" "$sources"
echo "apt installed the package on a fresh Debian 12 and its engine answers there"
