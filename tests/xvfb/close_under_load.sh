#!/usr/bin/env bash
# The close request (WM_DELETE_WINDOW) sent again and again while the game is
# busy with its sounds and frames, with both cores kept busy by this check's own
# spinning loops: just after the start click (the hostess's greeting), just
# after the player's move (the placing sound, the discs turning) and while the
# computer replies, each time at another moment. Every close must end the
# process within 1 s with exit code 0 and nothing on stderr: a close that races
# the window's teardown shows as an X error there and exit code 1. Every other
# round runs without an audio device. The rounds stop early when the machine is
# so slow that they would take over 50 s.
#   usage: close_under_load.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$(realpath "$1")"
assets="$(cd "$2" && pwd)"
build="$3"
helper="$build/xvfb/xvfb_helper"
readonly close_limit_ms=1000
readonly rounds=12 min_rounds=6 budget_ms=50000
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"

require_tools Xvfb xdotool convert
[ -x "$helper" ] || fail "helper $helper not built"
export XDG_CONFIG_HOME="$work/config"
start_xvfb 1024x768
start_load 2

disc=$(picture_pixel kuro.bmp 17 17)
# c4, the player's first move as black.
play_c4() {
  xdotool mousemove 142 190
  sleep 0.1
  xdotool click 1
}

close_times=()
started=$(now_ms)
done_rounds=0
for round in $(seq 0 $((rounds - 1))); do
  if ((done_rounds >= min_rounds && $(now_ms) - started > budget_ms)); then
    echo "stopping after $done_rounds rounds: the machine is slow"
    break
  fi
  audio=()
  ((round % 2)) && audio=(SDL_AUDIODRIVER=kerna-no-such-device)
  delay_ms=$((round * 67 % 400))  # spread over the sound, the turning and the reply
  data=$(scratch_folder "round$round")
  start_to_title "$data" "${audio[@]}"
  case $((round % 3)) in
    0)
      moment="greeting"
      choose_game black 1 --no-wait
      ;;
    1)
      moment="placing sound"
      choose_game black 1
      play_c4
      ;;
    2)
      moment="computer's reply"
      choose_game black 1
      play_c4
      "$helper" wait-colour 136 184 "${disc#\#}" 5000 >/dev/null || true  # the greeting may hold it back
      ;;
  esac
  sleep "$(printf '0.%03d' "$delay_ms")"
  what="round $round, $moment + $delay_ms ms${audio:+, no audio device}"
  kill -0 "$game_pid" 2>/dev/null || fail "$what: the game ended before the close: $(cat "$work/game.err")"
  close_and_wait "$window" "$close_limit_ms" "$what"
  [ -z "$(grep -v '^ALSA' "$work/game.err" || true)" ] || fail "$what: stderr: $(cat "$work/game.err")"
  close_times+=("$close_ms")
  done_rounds=$((done_rounds + 1))
done
echo "close_under_load: $done_rounds closes under load, each exit 0 and silent; close times ${close_times[*]} ms"
