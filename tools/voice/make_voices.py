#!/usr/bin/python3
"""Makes ケルナ's voices, assets/voice/0/ .. assets/voice/5/, from her lines in
tools/speech/speech.tsv: event E of level L is the file (E + 1).mp3 of folder
L (level 6 speaks with folder 5). The title (event 53) is never voiced.

Open JTalk speaks each line with the female HTS voice "Mei" (fetched and
checked by mei_voice.py), in a livelier style at the lower levels and a calmer
one at the master's; sox levels the loudness and resamples, lame encodes mono
mp3. Nothing random and no timestamps: a rerun writes the same bytes.

usage: make_voices.py [--measure]   (--measure prints the pitch per folder)
Run tools/voice/install-tools.sh first (Debian packages; npm fetches the voice)."""

import concurrent.futures
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
sys.path.insert(0, str(ROOT / "tools" / "speech"))
import speech_lines  # noqa: E402
import mei_voice  # noqa: E402
import pitch  # noqa: E402

DICTIONARY = "/var/lib/mecab/dic/open-jtalk/naist-jdic"
OUTPUT = ROOT / "assets" / "voice"
FOLDERS = 6

# Mei is a female voice already, a high one: a median of about 380 Hz in the
# normal style and 440 Hz in the happy one. Style, pace and pitch follow the
# levels' manner of speech: a child's glee at level 0, friendly at 1-2, polite
# at 3, the master's calm at 4-5, where a few half-tones lower sound older and
# steadier. A larger intonation weight widens the melody of each phrase.
SETTINGS = {  # folder: (Mei's style, speed, half-tones, intonation weight)
    0: ("happy", 1.08, 0.0, 1.20),
    1: ("happy", 1.04, -1.0, 1.05),
    2: ("normal", 1.03, 0.0, 1.20),
    3: ("normal", 1.00, -1.0, 1.10),
    4: ("normal", 0.97, -2.0, 1.00),
    5: ("normal", 0.94, -3.0, 1.00),
}

# Words the dictionary reads otherwise than meant here. It splits the name
# into ケル + ナ and so stresses its second mora before だ; written in
# hiragana it keeps the head accent (ケ\ルナ) it has before です and と.
READINGS = {"ケルナ": "けるな", "大勢": "たいせい", "勝負所": "しょうぶどころ"}

# Mei's loudest lines reach full scale in the synthesiser, which then clips
# them; the headroom is taken back when sox sets the peak.
SYNTH_GAIN_DB = -6
SAMPLE_RATE = 22050
BIT_RATE = 48


def spoken(text):
    text = speech_lines.spoken_text(text)
    for word, reading in READINGS.items():
        text = text.replace(word, reading)
    return text


def make_one(folder, event, text, work, voices):
    style, speed, half_tones, intonation = SETTINGS[folder]
    stem = pathlib.Path(work) / f"{folder}_{event:02d}"
    stem.with_suffix(".txt").write_text(spoken(text) + "\n", encoding="utf-8")
    raw, level = stem.with_suffix(".raw.wav"), stem.with_suffix(".wav")
    subprocess.run(["open_jtalk", "-x", DICTIONARY, "-m", str(voices[style]), "-r", str(speed),
                    "-fm", str(half_tones), "-jf", str(intonation), "-g", str(SYNTH_GAIN_DB),
                    "-ow", str(raw),
                    str(stem.with_suffix(".txt"))], check=True)
    # Same loudness for every line; the synthesiser's long silences cut to a
    # short lead-in and tail; no dither, so the output repeats exactly. The
    # peak is set after resampling, whose ripple would push a peak set before
    # it past full scale.
    subprocess.run(["sox", "-R", "-D", str(raw), "-b", "16", str(level),
                    "silence", "1", "0.01", "-45d", "reverse", "silence", "1", "0.01", "-45d",
                    "reverse", "pad", "0.05", "0.15", "rate", str(SAMPLE_RATE),
                    "gain", "-n", "-1"], check=True)
    target = OUTPUT / str(folder) / f"{event + 1:02d}.mp3"
    target.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["lame", "--quiet", "-t", "-m", "m", "-b", str(BIT_RATE), str(level),
                    str(target)], check=True)
    return folder, event, level


def main():
    measure = "--measure" in sys.argv[1:]
    table = speech_lines.read_table()
    speech_lines.check_level6(table)
    voices = mei_voice.voice_files(setting[0] for setting in SETTINGS.values())
    jobs = [(folder, event, table[event][folder]) for folder in range(FOLDERS)
            for event in range(speech_lines.EVENTS) if event != speech_lines.TITLE_EVENT]
    with tempfile.TemporaryDirectory() as work:
        with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
            done = list(pool.map(lambda job: make_one(*job, work, voices), jobs))
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
