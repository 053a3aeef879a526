#!/usr/bin/env bash
# The real game under Xvfb, closed (WM_DELETE_WINDOW, as a window manager's
# close button sends) in the phases the headless tests reach by the virtual
# clock: while the computer searches at level 6, while it solves the endgame,
# and on the result screen; each time the process must end within 1 s with
# exit code 0 and leave set.ini as it was. Also the faults a real machine
# brings: no audio device at all (the game plays on silently and closes
# cleanly) and no font (a one-line reason naming the Debian package, exit 1,
# no crash). Each run uses a scratch copy of the data folder.
#   usage: close_phases.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$(realpath "$1")"
assets="$(cd "$2" && pwd)"
build="$3"
helper="$build/xvfb/xvfb_helper"
readonly close_limit_ms=1000
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"

require_tools Xvfb xdotool convert
[ -x "$helper" ] || fail "helper $helper not built"
export XDG_CONFIG_HOME="$work/config"
start_xvfb 1024x768

# Sends the close request; the process must end within the limit with exit 0
# and leave set.ini as it found it.
close_game() {  # folder phase
  local folder="$1" phase="$2"
  kill -0 "$game_pid" 2>/dev/null || fail "$phase: the game ended before the close: $(cat "$work/game.err")"
  close_and_wait "$window" "$close_limit_ms" "$phase"
  cmp -s "$assets/dat/set.ini" "$folder/dat/set.ini" || fail "$phase: set.ini changed"
  [ -z "$(grep -v '^ALSA' "$work/game.err" || true)" ] || fail "$phase: stderr: $(cat "$work/game.err")"
  echo "$phase: closed in $close_ms ms, exit 0, set.ini intact"
}

# 1. Level 6, the computer opening: its first move is a search (no book move yet).
data=$(scratch_folder search)
start_to_title "$data"
choose_game white 6
sleep 1
close_game "$data" "level 6 search"

# 2. Level 6 with 16 squares left: the computer (black) starts the endgame solver.
data=$(scratch_folder solver)
printf '%s\r\n' 00022210 11122100 11121222 12111121 01211220 00121121 00112110 00022221 \
  >"$data/dat/start.dat"
start_to_title "$data"
choose_game white 6
sleep 1
close_game "$data" "endgame solver"

# 3. Three lone discs: black (the human) passes, white passes, the result screen.
data=$(scratch_folder result)
printf '%s\r\n' 20000000 00000000 00000000 00001000 00000000 00000000 00000000 00000002 \
  >"$data/dat/start.dat"
start_to_title "$data"
choose_game black 2
sleep 0.5
xdotool mousemove 200 200 click 1  # acknowledges the pass
sleep 1.5
close_game "$data" "result screen"

# 4. No audio device: the game starts, a move is played with its sound and
# the hostess's voice (silent), and the window closes cleanly.
data=$(scratch_folder silent)
start_to_title "$data" SDL_AUDIODRIVER=kerna-no-such-device
choose_game black 1
disc=$(picture_pixel kuro.bmp 17 17)
# c4, pointed at first; clicked again while the greeting may still hold the turn back.
played=0
for _ in 1 2 3 4 5; do
  xdotool mousemove 142 190
  sleep 0.3
  xdotool click 1
  if "$helper" wait-colour 136 184 "${disc#\#}" 3000 >/dev/null 2>&1; then
    played=1
    break
  fi
done
((played)) || fail "no audio device: the move was not drawn"
sleep 1.5
close_game "$data" "no audio device, after a move"

# 5. No font: a one-line reason naming the package, exit code 1, no crash.
data=$(scratch_folder nofont)
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$work/fonts.conf"
code=0
(cd "$data" && FONTCONFIG_FILE="$work/fonts.conf" timeout 30 "$game") 2>"$work/game.err" || code=$?
((code == 1)) || fail "no font: exit code $code (expected 1); stderr: $(cat "$work/game.err")"
[ "$(wc -l <"$work/game.err")" -eq 1 ] || fail "no font: not one line: $(cat "$work/game.err")"
grep -q fonts-ipafont-gothic "$work/game.err" || fail "no font: the package is not named: $(cat "$work/game.err")"
echo "no font: exit 1 with: $(cat "$work/game.err")"
