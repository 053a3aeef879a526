#!/usr/bin/env bash
# End to end on the real window under Xvfb, driven by xdotool like a player:
# start the game, choose "play the computer", black, level 1, start; play every
# move of the game by reading the board from screenshots (discs from the
# square centres, the red selection box that marks the human's turn) and
# clicking a legal square; acknowledge passes; on the result screen quit to the
# menu; open the settings, pick another board colour, OK, and check that the
# board was redrawn in it and the settings file holds it.
#
# Measures the reply to the mouse on the real window: pointer onto a square ->
# the selection box moves there, click -> the disc is drawn, click on a menu
# button -> the next buttons are shown. Every reply must come within the limit.
#
# The game runs in a scratch copy of the data folder (the pictures, sound and
# voices linked, dat\ copied) with a scratch configuration folder, so neither
# the repository's set.ini nor the user's own settings are touched. With
# KERNA_SCREENSHOT_DIR set the stages are saved there as e2e-*.png.
#   usage: play_game.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$(realpath "$1")"
assets="$(cd "$2" && pwd)"
build="$3"
helper="$build/xvfb/xvfb_helper"
probe="$build/xvfb/reply_probe"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"
readonly reply_limit_ms=100

require_tools Xvfb xdotool import convert
[ -x "$helper" ] || fail "helper $helper not built"
[ -x "$probe" ] || fail "probe $probe not built"

# The scratch data folder.
data="$work/data"
mkdir -p "$data"
for folder in bmp sound voice; do
  [ -e "$assets/$folder" ] && ln -s "$assets/$folder" "$data/$folder"
done
cp -r "$assets/dat" "$data/dat"
export XDG_CONFIG_HOME="$work/config"

start_xvfb 1024x768

# The drawing area (at the screen's top left corner) into a file.
shoot() { import -window root -crop 640x440+0+0 +repage "$1"; }
keep() {  # screenshot name
  if [ -n "${KERNA_SCREENSHOT_DIR:-}" ]; then
    sleep 0.3
    shoot "$KERNA_SCREENSHOT_DIR/e2e-$1.png"
  fi
}
# Waits until screen pixel (x, y) has the colour #RRGGBB; prints the time.
wait_colour() {  # x y #RRGGBB timeout_ms what
  "$helper" wait-colour "$1" "$2" "${3#\#}" "$4" || fail "$5: pixel ($1,$2) never became $3"
}

replies=()
# Sends one pointer event through XTest and measures until pixel (x, y) shows
# the colour: the probe takes the time when the event is in the X server, so
# no process start-up is counted as the game's.
probe() {  # what (move X Y | click BUTTON) x y #RRGGBB
  local what="$1" ms
  shift
  if [ "$1" = move ]; then
    ms=$("$probe" move "$2" "$3" "$4" "$5" "${6#\#}" 15000) || fail "$what: pixel ($4,$5) never became $6"
  else
    ms=$("$probe" click "$2" "$3" "$4" "${5#\#}" 15000) || fail "$what: pixel ($3,$4) never became $5"
  fi
  replies+=("$ms $what")
}

# The board colour of an empty square and of a marked (playable) one.
plain=$(picture_pixel 01-zero.bmp 0 0)
lighter() {  # #RRGGBB -> each component + 40, at most 255
  local v=${1#\#} out="#" c
  for i in 0 2 4; do
    c=$((16#${v:i:2} + 40))
    ((c > 255)) && c=255
    out+=$(printf '%02X' "$c")
  done
  echo "$out"
}
light=$(lighter "$plain")
readonly box_yellow="#FFFF00"

start_time=$(now_ms)
(cd "$data" && exec "$game") 2>"$work/game.err" &
game_pid=$!
wait_colour 529 30 "$(picture_pixel title.bmp 100 30)" 30000 "title screen" >/dev/null
echo "title screen after $(($(now_ms) - start_time)) ms"
keep title

# --- Menu: play the computer, black, level 1, start ---
sleep 0.3
xdotool mousemove 500 135
probe "click on a menu button -> side buttons" click 1 534 110 "$(picture_pixel sente.bmp 49 5)"
xdotool mousemove 530 223
probe "click on level 1 -> its frame" click 1 484 211 "#FFFFFF"
keep choice
xdotool mousemove 530 400 click 1
# The game starts with the message frame and black to move. A start click
# that goes unanswered for 3 s is reported and made once more (seen once on a
# loaded machine, not yet explained); a second miss fails.
message_frame="$(picture_pixel msg.bmp 100 50)"
if ! "$helper" wait-colour 538 358 "${message_frame#\#}" 3000 >/dev/null 2>&1; then
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended after the start click: $(cat "$work/game.err")"
  echo "unanswered start click: clicking again"
  xdotool mousemove 530 400 click 1
  wait_colour 538 358 "$message_frame" 15000 "message frame" >/dev/null
fi

# --- The game ---
# Square (x, y), 1..8: centre and the pixel of the selection box's outer line.
centre_x() { echo $((22 + 48 * ($1 - 1) + 24)); }
box_x() { echo $((21 + 48 * ($1 - 1))); }
box_y() { echo $((42 + 48 * ($1 - 1))); }

board=""    # 64 characters, row by row: B, W, . (empty) or ? (turning)
box_shown=0 # whether the selection box is on the board: the human's turn
read_board() {
  local result
  # One look at the board's pixels (one read of the screen by the helper,
  # cheap enough for a loaded machine): one near each square's centre (the
  # board colour, a dark disc, a light disc, or something between: a disc
  # turning), then one on the line where the selection box's left side runs.
  # Then the first legal square of each side in column order ("-" for none).
  result=$("$helper" grids 48 8 46 46 21 42 |
    awk -v plain="$plain" -v light="$light" '
      function hex(r, g, b) { return sprintf("#%02X%02X%02X", r, g, b) }
      function legal(x, y, side, other,   dx, dy, cx, cy, run) {
        if (sq[x, y] != ".") return 0
        for (dx = -1; dx <= 1; dx++) for (dy = -1; dy <= 1; dy++) {
          if (dx == 0 && dy == 0) continue
          cx = x + dx; cy = y + dy; run = 0
          while (cx >= 1 && cx <= 8 && cy >= 1 && cy <= 8 && sq[cx, cy] == other) {
            cx += dx; cy += dy; run++
          }
          if (run > 0 && cx >= 1 && cx <= 8 && cy >= 1 && cy <= 8 && sq[cx, cy] == side) return 1
        }
        return 0
      }
      function first(side, other,   x, y) {
        for (x = 1; x <= 8; x++) for (y = 1; y <= 8; y++) if (legal(x, y, side, other)) return x "," y
        return "-"
      }
      NR <= 64 {
        c = hex($1, $2, $3)
        if (c == plain || c == light) s = "."
        else if ($1 < 100 && $2 < 100 && $3 < 100) s = "B"
        else if ($1 > 200 && $2 > 200 && $3 > 200) s = "W"
        else s = "?"
        sq[(NR - 1) % 8 + 1, int((NR - 1) / 8) + 1] = s
      }
      NR > 64 && $3 == 0 && $1 == 255 { box = 1 }
      END {
        for (j = 1; j <= 8; j++) for (i = 1; i <= 8; i++) out = out sq[i, j]
        print out, (box ? 1 : 0), first("B", "W"), first("W", "B")
      }')
  read -r board box_shown black_move white_move <<<"$result"
  ((${#board} == 64)) || fail "could not read the board"
}

moves=0
passes=0
last_pass_board=""
deadline=$(($(now_ms) + 100000))
while :; do
  (($(now_ms) < deadline)) || fail "the game did not end in time (board $board)"
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(cat "$work/game.err")"
  read_board
  [[ "$board" == *"?"* ]] && continue  # a disc is turning
  if [ "$black_move" != - ] && ((box_shown)); then
    IFS=, read -r x y <<<"$black_move"
    cx=$(centre_x "$x") cy=$(centre_x "$y")
    probe "pointer onto a square -> box there" move "$cx" "$cy" "$(box_x "$x")" "$(box_y "$y")" "$box_yellow"
    probe "click on a square -> disc drawn" click 1 $((cx - 6)) $((cy - 6)) "$(picture_pixel kuro.bmp 17 17)"
    moves=$((moves + 1))
    ((moves == 12)) && keep game
    continue
  fi
  if [ "$black_move" = - ]; then
    sleep 0.4  # wait for the board to settle before judging the position
    previous="$board"
    read_board
    [ "$board" = "$previous" ] || continue
    if [ "$white_move" = - ]; then
      break  # neither side can move: the result screen
    fi
    if [ "$board" != "$last_pass_board" ]; then
      # Black must pass: the game asks for a click.
      xdotool mousemove 200 200 click 1
      passes=$((passes + 1))
      last_pass_board="$board"
    fi
  fi
  sleep 0.05
done
blacks=$(tr -cd B <<<"$board" | wc -c)
whites=$(tr -cd W <<<"$board" | wc -c)
echo "game over after $moves moves by black ($passes passes): black $blacks, white $whites"
((moves >= 5)) || fail "only $moves moves were played"

# --- The result screen: quit, then a click back to the menu ---
quit_button=$(picture_pixel quit.bmp 30 12)
wait_colour 578 396 "$quit_button" 10000 "quit button on the result screen" >/dev/null
keep result
xdotool mousemove 585 395 click 1
sleep 0.5
xdotool click 1
# The menu's first button, in its chosen look.
wait_menu() { wait_colour 500 137 "$(picture_pixel c-taisen.bmp 50 17)" 10000 "$1" >/dev/null; }
wait_menu "menu after the result screen"

# --- Settings: board colour 2, OK ---
xdotool mousemove 500 215
probe "click on settings -> settings screen" click 1 500 380 "$(picture_pixel setok.bmp 50 5)"
xdotool mousemove 549 347 click 1
keep settings
sleep 0.3
new_plain=$(picture_pixel 03-zero.bmp 0 0)
xdotool mousemove 530 390
probe "OK with a new colour -> board redrawn" click 1 30 30 "$new_plain"
# Back in the menu, where the settings button is now the chosen one.
wait_colour 500 217 "$(picture_pixel setup.bmp 50 17)" 10000 "menu after the settings" >/dev/null
keep colour
shoot "$work/colour.png"
frame=$(file_pixel "$work/colour.png" 10 30)
[ "$frame" = "$(picture_pixel waku-tate.bmp 10 30)" ] || fail "the frame's corner is $frame after the colour change"
[ "$(sed -n 7p "$data/dat/set.ini" | tr -d '\r')" = 2 ] || fail "set.ini does not hold board colour 2: $(cat -A "$data/dat/set.ini")"
cmp -s "$assets/dat/set.ini" "$data/dat/set.ini" && fail "set.ini was not written"

[ -z "$(grep -v '^ALSA' "$work/game.err" || true)" ] || fail "the game wrote to stderr: $(cat "$work/game.err")"

# --- Replies ---
# A machine shared with other jobs may stall one frame now and then: a single
# late reply (under the hard limit) is reported; two, or one past it, fail.
readonly stall_limit_ms=500
worst=0
late=0
for reply in "${replies[@]}"; do
  ms=${reply%% *}
  ms=${ms%.*}
  ((ms > worst)) && worst=$ms
  ((ms > reply_limit_ms)) && late=$((late + 1)) && echo "late reply: $reply"
done
printf '%s\n' "${replies[@]}" | sort -k2 | awk '
  { what = substr($0, index($0, " ") + 1); n[what]++; sum[what] += $1; if ($1 > max[what]) max[what] = $1 }
  END { for (w in n) printf "reply %-45s %3d times, mean %5.1f ms, max %4d ms\n", w, n[w], sum[w] / n[w], max[w] }'
((late <= 1 && worst <= stall_limit_ms)) ||
  fail "$late replies over $reply_limit_ms ms, the slowest $worst ms (one is allowed, under $stall_limit_ms ms)"
echo "play_game: a whole game, the result screen and a new board colour; $late late replies, the slowest $worst ms"
