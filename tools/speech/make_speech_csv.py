#!/usr/bin/env python3
"""Writes assets/dat/speech.csv (CP932, CR LF rows) from tools/speech/speech.tsv
after checking every line's size. Run from anywhere; the output depends only
on the source, so a rerun gives the same bytes. --check only compares."""

import pathlib
import sys

import speech_lines

OUTPUT = pathlib.Path(__file__).resolve().parents[2] / "assets" / "dat" / "speech.csv"


def main():
    try:
        data = speech_lines.csv_bytes(speech_lines.read_table())
    except speech_lines.LineError as error:
        sys.exit(f"speech.tsv: {error}")
    if "--check" in sys.argv[1:]:
        if not OUTPUT.exists() or OUTPUT.read_bytes() != data:
            sys.exit(f"{OUTPUT} is not up to date with speech.tsv")
        print(f"{OUTPUT}: up to date")
        return
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_bytes(data)
    print(f"{OUTPUT}: {len(data)} bytes, {speech_lines.EVENTS} rows")


if __name__ == "__main__":
    main()
