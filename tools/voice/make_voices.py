#!/usr/bin/python3
"""Makes ケルナ's voices, assets/voice/0/ .. assets/voice/5/, from her lines in
tools/speech/speech.tsv: event E of level L is the file (E + 1).mp3 of folder
L (level 6 speaks with folder 5). The title (event 53) is never voiced.

Open JTalk speaks each line with the nitech male voice, raised in pitch and
with its spectrum warped towards a shorter vocal tract so that it sounds like
a young woman; sox levels the loudness and resamples, lame encodes mono mp3.
Nothing random and no timestamps: a rerun writes the same bytes.

usage: make_voices.py [--measure]   (--measure prints the pitch per folder)
Run tools/voice/install-tools.sh first (Debian packages, contrib included)."""

import concurrent.futures
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
sys.path.insert(0, str(ROOT / "tools" / "speech"))
import speech_lines  # noqa: E402
import pitch  # noqa: E402

VOICE = "/usr/share/hts-voice/nitech-jp-atr503-m001/nitech_jp_atr503_m001.htsvoice"
DICTIONARY = "/var/lib/mecab/dic/open-jtalk/naist-jdic"
OUTPUT = ROOT / "assets" / "voice"
FOLDERS = 6

# The all-pass constant below the voice's own 0.55 moves the formants up (a
# shorter vocal tract); the half-tones raise the pitch from about 114 Hz to
# about 200 Hz. The same voice for every level, a little brighter, quicker and
# livelier at level 0, calmer and slower at the master's levels.
ALL_PASS = 0.50
SETTINGS = {  # folder: (half-tones, speed, intonation weight)
    0: (11.0, 1.10, 1.40),
    1: (10.5, 1.06, 1.30),
    2: (10.0, 1.03, 1.20),
    3: (10.0, 1.00, 1.10),
    4: (9.5, 0.97, 1.00),
    5: (9.0, 0.95, 1.00),
}

# Words the dictionary reads otherwise than meant here.
READINGS = {"大勢": "たいせい", "勝負所": "しょうぶどころ"}

SAMPLE_RATE = 22050
BIT_RATE = 48


def spoken(text):
    text = speech_lines.spoken_text(text)
    for word, reading in READINGS.items():
        text = text.replace(word, reading)
    return text


def make_one(folder, event, text, work):
    half_tones, speed, intonation = SETTINGS[folder]
    stem = pathlib.Path(work) / f"{folder}_{event:02d}"
    stem.with_suffix(".txt").write_text(spoken(text) + "\n", encoding="utf-8")
    raw, level = stem.with_suffix(".raw.wav"), stem.with_suffix(".wav")
    subprocess.run(["open_jtalk", "-x", DICTIONARY, "-m", VOICE, "-a", str(ALL_PASS),
                    "-fm", str(half_tones), "-r", str(speed), "-jf", str(intonation),
                    "-ow", str(raw), str(stem.with_suffix(".txt"))], check=True)
    # Same loudness for every line; the synthesiser's long silences cut to a
    # short lead-in and tail; no dither, so the output repeats exactly.
    subprocess.run(["sox", "-R", "-D", str(raw), "-b", "16", str(level),
                    "silence", "1", "0.01", "-45d", "reverse", "silence", "1", "0.01", "-45d",
                    "reverse", "pad", "0.05", "0.15", "gain", "-n", "-1",
                    "rate", str(SAMPLE_RATE)], check=True)
    target = OUTPUT / str(folder) / f"{event + 1:02d}.mp3"
    target.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["lame", "--quiet", "-t", "-m", "m", "-b", str(BIT_RATE), str(level),
                    str(target)], check=True)
    return folder, event, level


def main():
    measure = "--measure" in sys.argv[1:]
    table = speech_lines.read_table()
    speech_lines.check_level6(table)
    jobs = [(folder, event, table[event][folder]) for folder in range(FOLDERS)
            for event in range(speech_lines.EVENTS) if event != speech_lines.TITLE_EVENT]
    with tempfile.TemporaryDirectory() as work:
        with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
            done = list(pool.map(lambda job: make_one(*job, work), jobs))
        if measure:
            for folder in range(FOLDERS):
                medians = [pitch.summary(level) for f, _, level in done if f == folder]
                medians = sorted(m[0] for m in medians if m)
                print(f"folder {folder} {SETTINGS[folder]}: median pitch of lines "
                      f"{medians[len(medians) // 2]:.0f} Hz "
                      f"(lowest {medians[0]:.0f}, highest {medians[-1]:.0f})")
    print(f"{len(done)} voice files in {OUTPUT}")


if __name__ == "__main__":
    main()
