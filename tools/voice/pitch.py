#!/usr/bin/python3
"""Measures the pitch of a spoken wave file: the median fundamental frequency
of its voiced frames, found with the YIN difference function (a normalised
autocorrelation). Used to tune the voice, since nobody here can listen.

usage: pitch.py FILE.wav [...]   prints median, 10th and 90th percentile in Hz"""

import sys
import wave

import numpy as np

LOWEST_HZ = 60
HIGHEST_HZ = 600
FRAME_SECONDS = 0.040
HOP_SECONDS = 0.010
THRESHOLD = 0.15  # a frame is voiced when the normalised difference dips below this


def read_mono(path):
    with wave.open(str(path), "rb") as w:
        if w.getsampwidth() != 2:
            raise ValueError(f"{path}: want 16-bit samples")
        rate = w.getframerate()
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float64)
        data = data.reshape(-1, w.getnchannels()).mean(axis=1)
    return data, rate


def frame_pitch(frame, rate):
    min_lag = int(rate / HIGHEST_HZ)
    max_lag = int(rate / LOWEST_HZ)
    window = len(frame) - max_lag
    diffs = np.array([np.sum((frame[:window] - frame[lag:lag + window]) ** 2)
                      for lag in range(1, max_lag + 1)])
    cumulative = np.cumsum(diffs) / np.arange(1, max_lag + 1)
    normalised = diffs / np.maximum(cumulative, 1e-12)
    for lag in range(min_lag, max_lag - 1):
        if normalised[lag - 1] < THRESHOLD and normalised[lag - 1] <= normalised[lag]:
            return rate / lag
    return None


def pitches(path):
    data, rate = read_mono(path)
    if rate > 16000:  # pitch needs no more; keeps the search quick
        step = rate // 16000
        data = data[: len(data) // step * step].reshape(-1, step).mean(axis=1)
        rate //= step
    size = int(FRAME_SECONDS * rate)
    hop = int(HOP_SECONDS * rate)
    loudness = np.sqrt(np.mean(data**2)) if len(data) else 0
    found = []
    for start in range(0, len(data) - size, hop):
        frame = data[start:start + size]
        if np.sqrt(np.mean(frame**2)) < 0.3 * loudness:
            continue  # silence and quiet consonants
        f0 = frame_pitch(frame, rate)
        if f0:
            found.append(f0)
    return np.array(found)


def summary(path):
    f = pitches(path)
    if not len(f):
        return None
    return np.median(f), np.percentile(f, 10), np.percentile(f, 90)


if __name__ == "__main__":
    for name in sys.argv[1:]:
        s = summary(name)
        print(f"{name}: " + ("no voiced frames" if s is None else
                             "median %.0f Hz (10%% %.0f, 90%% %.0f)" % s))
