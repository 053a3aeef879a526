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

# One pixel of an image file.
file_pixel() {  # file x y
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1
}

# One pixel of a shipped picture.
picture_pixel() {  # name.bmp x y
  file_pixel "$assets/bmp/$1" "$2" "$3"
}
