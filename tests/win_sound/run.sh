#!/usr/bin/env bash
# The Windows sound checked under Wine on a machine without a sound card:
#  1. a voice of every level folder decoded by Wine's MP3 codec through the
#     sound code's ACM decoder, against Debian's mpg123 decode of the same file
#     (same length, the samples within rounding);
#  2. WinSound without any audio device: Open() fails, the game's calls are
#     silent and keep their answers;
#  3. WinSound with an ALSA device that plays into nothing: the voice plays,
#     ends by itself and stops at once, with clicks over it; and the samples
#     the device was handed are exactly the decode.
#
#   tests/win_sound/run.sh [BUILD_FOLDER]   (default build-win-sound)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(mkdir -p "${1:-build-win-sound}" && cd "${1:-build-win-sound}" && pwd)"
data="$root/assets"

compiler=x86_64-w64-mingw32-g++-posix
command -v ccache >/dev/null && compiler="ccache $compiler"
$compiler -std=c++20 -O2 -Wall -Wextra -Werror -static -I"$root/src" \
  "$root"/src/platform/pcm_sound.cpp "$root"/src/platform/win_mp3_decoder.cpp \
  "$root"/src/platform/win_sound.cpp "$root"/tests/win_sound/sound_check.cpp \
  -lwinmm -lmsacm32 -o "$build/sound_check.exe"

export WINEPREFIX="$build/wine" WINEDEBUG=-all
# No Mono and no Gecko: the prefix is made without asking for them.
no_prompts="mscoree,mshtml="
no_device="$no_prompts;winealsa.drv,winepulse.drv,wineoss.drv=d"
null_device="$no_prompts;winepulse.drv,wineoss.drv=d"
wine() { timeout 300 /usr/lib/wine/wine64 "$@" 2> >(grep -v '^ALSA lib' >&2); }
[ -d "$WINEPREFIX" ] || WINEDLLOVERRIDES="$no_prompts" wine wineboot -i >/dev/null

cd "$build"
echo "== decoded by the system's codec, against mpg123"
for voice in 0/01 1/20 2/31 3/34 4/45 5/59; do
  WINEDLLOVERRIDES="$no_device" wine sound_check.exe --decode "$data" "voice\\${voice/\//\\}.mp3" \
    codec.pcm >/dev/null
  mpg123 -q -s --no-gapless "$data/voice/$voice.mp3" >reference.pcm
  python3 - codec.pcm reference.pcm "$voice" <<'PY'
import array, math, sys
def samples(path):
    a = array.array("h"); a.frombytes(open(path, "rb").read()); return a
codec, reference = samples(sys.argv[1]), samples(sys.argv[2])
noise = sum((c - r) ** 2 for c, r in zip(codec, reference))
signal = sum(r * r for r in reference)
snr = 10 * math.log10(signal / max(noise, 1))
print(f"voice {sys.argv[3]}: {len(codec)} samples, mpg123 {len(reference)}, {snr:.1f} dB apart")
sys.exit(0 if len(codec) == len(reference) and snr > 60 else 1)
PY
done

echo "== without an audio device"
WINEDLLOVERRIDES="$no_device" wine sound_check.exe "$data" 'voice\3\34.mp3' | tee check.txt
grep -q "audio device: none" check.txt

echo "== with a device that plays into nothing"
mkdir -p alsa-null alsa-file
echo 'pcm.!default { type null }' >alsa-null/.asoundrc
HOME="$build/alsa-null" WINEDLLOVERRIDES="$null_device" wine sound_check.exe "$data" \
  'voice\3\34.mp3' | tee check.txt
grep -q "audio device: yes" check.txt

echo "== what the device was handed"
echo "pcm.!default { type file slave.pcm \"null\" file \"$build/heard.pcm\" format \"raw\" }" \
  >alsa-file/.asoundrc
rm -f heard.pcm
HOME="$build/alsa-file" WINEDLLOVERRIDES="$null_device" wine sound_check.exe --play "$data" \
  'voice\3\34.mp3'
WINEDLLOVERRIDES="$no_device" wine sound_check.exe --decode "$data" 'voice\3\34.mp3' codec.pcm \
  >/dev/null
cmp heard.pcm codec.pcm
echo "the device played the decode sample for sample ($(stat -c %s heard.pcm) bytes)"
echo "sound checks passed"
