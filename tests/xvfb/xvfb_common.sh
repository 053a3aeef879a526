# What the real-window checks share, sourced by each of them: the failure
# message, the tool check, a scratch folder removed on exit together with the
# game and Xvfb processes, Xvfb on a free display, and pixel colours of PNG and
# BMP files as #RRGGBB. A script sets `assets` before asking for pictures.
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
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
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

# Sends the close request a window manager's close button sends and waits for
# the game to end: exit 0 within LIMIT ms. Leaves the time taken in close_ms.
# (Needs `helper`, the built xvfb_helper.)
close_and_wait() {  # window limit_ms what
  local start end code=0
  start=$(now_ms)
  "$helper" close "$1" || fail "$3: could not send the close request"
  while kill -0 "$game_pid" 2>/dev/null; do
    (($(now_ms) - start > 5000)) && fail "$3: the game did not end after the window was closed"
    sleep 0.005
  done
  end=$(now_ms)
  wait "$game_pid" || code=$?
  game_pid=""
  ((code == 0)) || fail "$3: exit code $code after closing; stderr: $(cat "$work/game.err")"
  close_ms=$((end - start))
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
