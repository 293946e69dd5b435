"""Loudness matching and 16-bit PCM WAV output, written byte by byte (no library
that might stamp anything variable into the file)."""
import struct

import numpy as np

from .synth import RATE

TARGET_DB = -16.0      # loudest 400 ms of every sound, RMS in dB of full scale
PEAK_LIMIT = 0.93
WINDOW_S = 0.4


def loudness_db(samples, rate=RATE):
    """RMS of the loudest window (400 ms, or the whole sound if shorter), in dBFS."""
    x = np.asarray(samples, dtype=np.float64)
    if x.ndim == 2:
        x = x.mean(axis=1)
    w = max(1, min(len(x), int(WINDOW_S * rate)))
    energy = np.concatenate(([0.0], np.cumsum(x * x)))
    power = (energy[w:] - energy[:-w]) / w
    return 10 * np.log10(max(float(power.max()), 1e-12))


def _limit(x):
    """Soft knee above 70 % of the limit, so peaks never pass PEAK_LIMIT."""
    knee = PEAK_LIMIT * 0.7
    over = np.abs(x) > knee
    y = x.copy()
    room = PEAK_LIMIT - knee
    y[over] = np.sign(x[over]) * (knee + room * np.tanh((np.abs(x[over]) - knee) / room))
    return y


def normalise(x, target_db=TARGET_DB):
    """Scales to the target loudness, limiting peaks. Limiting lowers the level a
    little, so the gain is corrected again until it settles."""
    y = np.asarray(x, dtype=np.float64)
    for round_ in range(40):
        error = target_db - loudness_db(y)
        if round_ > 0 and abs(error) < 0.02:
            break
        y = _limit(y * 10 ** (error / 20))
    return y


def to_pcm16(x):
    return np.clip(np.round(np.asarray(x) * 32767.0), -32768, 32767).astype("<i2")


def wav_bytes(x, rate=RATE):
    """A mono 16-bit PCM WAV file as bytes."""
    data = to_pcm16(x).tobytes()
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    return (b"RIFF" + struct.pack("<I", 4 + (8 + len(fmt)) + (8 + len(data))) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(data)) + data)
