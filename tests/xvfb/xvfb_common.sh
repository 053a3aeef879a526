# What the real-window checks share, sourced by each of them: the failure
# message, the tool check, a scratch folder removed on exit together with the
# game, Xvfb and load processes, Xvfb on a free display, busy cores on demand,
# and pixel colours of PNG and BMP files as #RRGGBB. A script sets `assets`
# before asking for pictures.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export SDL_AUDIODRIVER=dummy

fail() { echo "FAIL: $*" >&2; exit 1; }

require_tools() {  # tool...
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
  done
}

work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
load_pids=()
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it is ready;
# DISPLAY is set to it.
start_xvfb() {  # WIDTHxHEIGHT
  Xvfb -displayfd 1 -screen 0 "$1x24" -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  local _
  for _ in $(seq 1 300); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n1 "$work/display")"
}

now_ms() { date +%s%3N; }

# Keeps COUNT cores busy until the check ends: races between the game's
# threads and the X server show on a loaded machine far more often.
start_load() {  # count
  local _
  for _ in $(seq 1 "$1"); do
    sh -c 'while :; do :; done' &
    load_pids+=($!)
  done
}

# Sends the close request a window manager's close button sends and waits for
# the game to end: exit 0 within LIMIT ms of the request. Leaves the time taken
# in close_ms. The helper times it from the request, so that its own start on a
# busy machine is not counted as the game's. (Needs `helper`, the built xvfb_helper.)
close_and_wait() {  # window limit_ms what
  local code=0
  close_ms=$("$helper" close-wait "$1" "$game_pid" 5000) ||
    fail "$3: the close request failed or the game did not end within 5 s"
  wait "$game_pid" || code=$?
  game_pid=""
  ((code == 0)) || fail "$3: exit code $code after closing; stderr: $(cat "$work/game.err")"
  ((close_ms <= $2)) || fail "$3: closing took $close_ms ms (limit $2 ms)"
}

# One pixel of an image file.
file_pixel() {  # file x y
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1
}

# One pixel of a shipped picture.
picture_pixel() {  # name.bmp x y
  file_pixel "$assets/bmp/$1" "$2" "$3"
}

# The set-up of a check on the real window (needs `helper` and `assets`): the
# tools, the built helper, Xvfb of the given size, a home of its own and a copy
# of the assets in $work/assets.
start_window_check() {  # WIDTHxHEIGHT
  require_tools Xvfb xdotool import convert
  [ -x "$helper" ] || fail "helper $helper not built"
  start_xvfb "$1"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
  mkdir -p "$HOME"
  cp -r "$assets" "$work/assets"
}

# The screen as a picture in $work/shot.png, and one of its pixels as #RRGGBB.
shot() { import -window root "$work/shot.png"; }
pixel() { file_pixel "$work/shot.png" "$1" "$2"; }

# --- Starting a game (needs `game`, `assets` and `helper`) ---

# A scratch data folder $work/NAME: pictures, sound and voices linked, dat\ copied.
scratch_folder() {  # name
  local data="$work/$1" folder
  mkdir -p "$data"
  for folder in bmp sound voice; do
    [ -e "$assets/$folder" ] && ln -s "$assets/$folder" "$data/$folder"
  done
  cp -r "$assets/dat" "$data/dat"
  echo "$data"
}

# Starts the game in the folder (extra environment first), its stderr in
# $work/game.err, and waits for the title screen; sets game_pid and window.
# The wait is for start-up on a loaded machine, so it is long.
readonly startup_timeout_ms=30000
start_to_title() {  # folder [VAR=value...]
  local folder="$1"
  shift
  (cd "$folder" && exec env "$@" "$game") 2>"$work/game.err" &
  game_pid=$!
  "$helper" wait-colour 529 30 "$(picture_pixel title.bmp 100 30 | tr -d '#')" "$startup_timeout_ms" \
    >/dev/null || fail "no title screen; stderr: $(cat "$work/game.err")"
  window=$(timeout $((startup_timeout_ms / 1000)) xdotool search --sync --onlyvisible --pid "$game_pid" |
    head -n1) || fail "window of pid $game_pid not found"
  sleep 0.3
}

# Menu -> play the computer -> side (black|white) -> level -> start, then
# waits for the message frame of the game (not with --no-wait).
choose_game() {  # side level [--no-wait]
  local side_y=115
  [ "$1" = white ] && side_y=145
  xdotool mousemove 500 135 click 1
  sleep 0.4
  xdotool mousemove 530 "$side_y" click 1
  sleep 0.2
  xdotool mousemove 530 $((195 + 28 * $2)) click 1
  sleep 0.2
  xdotool mousemove 530 400 click 1
  [ "${3:-}" = --no-wait ] && return 0
  "$helper" wait-colour 538 358 "$(picture_pixel msg.bmp 100 50 | tr -d '#')" 15000 >/dev/null ||
    fail "the game did not start"
}
