#!/usr/bin/env bash
# Checks the Linux package as a user's machine would take it: unpacked into a
# scratch root and listed, the installed programs run from there (the engine
# finds its data from /usr/games and answers; the game reviews a record
# without a window), lintian with no errors, the menu entry and the AppStream
# metadata valid, and apt able to install it here (simulated: every
# dependency resolves from the machine's package sources).
#
#   check-deb.sh PACKAGE.deb WORK_DIR
set -euo pipefail
deb="$(realpath "$1")" work="$(mkdir -p "$2" && realpath "$2")"
root="$work/scratch-root"
fail() { echo "check-deb: $*" >&2; exit 1; }

rm -rf "$root" && mkdir -p "$root"
dpkg-deb -x "$deb" "$root"
echo "== files"
(cd "$root" && find . -type f | sort | grep -v '^./usr/share/kerna-reversi/\(bmp\|voice\)/')
echo "   and $(find "$root/usr/share/kerna-reversi/bmp" -type f | wc -l) pictures," \
  "$(find "$root/usr/share/kerna-reversi/voice" -type f | wc -l) voices"
for path in usr/games/kerna-reversi usr/games/kerna-engine usr/share/kerna-reversi/dat/table.dat \
  usr/share/kerna-reversi/sound/oku2.wav usr/share/applications/kerna-reversi.desktop \
  usr/share/mime/packages/kerna-reversi-ggf.xml usr/share/doc/kerna-reversi/copyright \
  usr/share/icons/hicolor/256x256/apps/kerna-reversi.png; do
  [ -f "$root/$path" ] || fail "$path missing"
done
metainfo="$(ls "$root"/usr/share/metainfo/*.metainfo.xml)" || fail "no AppStream metadata"

echo "== the installed programs"
answer="$(printf 'nboard 2\nping 7\nquit\n' | timeout 60 "$root/usr/games/kerna-engine")"
grep -qx "pong 7" <<<"$answer" || fail "kerna-engine did not answer: $answer"
echo "kerna-engine answers from its installed data"
record="$work/check.ggf"
printf '(;GM[Othello]PC[check]PB[black]PW[white]TY[8]BO[8 ---------------------------O*------*O--------------------------- *]B[f5]W[d6]B[c3];)\n' \
  >"$record"
review="$(cd / && HOME="$work" timeout 120 "$root/usr/games/kerna-reversi" --review "$record" --text)"
[ "$(wc -l <<<"$review")" -eq 3 ] || fail "the text review gave: $review"
echo "kerna-reversi reviews a record: $(head -1 <<<"$review")"

echo "== lintian"
lintian --fail-on error "$deb"
echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/kerna-reversi.desktop"
appstreamcli validate --no-net "$metainfo"
echo "== apt install (simulated)"
apt-get install --simulate -q "$deb" | grep -E '^(Inst|Conf) kerna-reversi' ||
  fail "apt would not install the package"
echo "package checks passed"
