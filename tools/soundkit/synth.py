"""Small additive synthesiser: oscillators, envelopes, filtered noise, mixing.

Everything is numpy float64 at RATE samples per second, mono, roughly -1..1.
"""
import numpy as np

RATE = 22050


def seconds(n):
    return int(round(n * RATE))


def timeline(duration):
    return np.arange(seconds(duration)) / RATE


def note_hz(name):
    """Frequency of a note such as 'C5' or 'F#4' (A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    letter, rest = name[0], name[1:]
    shift = 0
    while rest and rest[0] in "#b":
        shift += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2 ** ((steps[letter] + shift + 12 * (octave - 4)) / 12)


def phase(freq, n):
    """Phase in cycles for a constant or per-sample frequency."""
    f = np.broadcast_to(np.asarray(freq, dtype=np.float64), (n,))
    return np.cumsum(f) / RATE


def harmonics(freq, duration, weights, vibrato=(0.0, 0.0)):
    """Sum of sine partials k = 1.. with the given weights (normalised)."""
    n = seconds(duration)
    rate_hz, depth = vibrato
    f = np.broadcast_to(np.asarray(freq, dtype=np.float64), (n,)).copy()
    if depth:
        f = f * (1 + depth * np.sin(2 * np.pi * rate_hz * np.arange(n) / RATE))
    ph = phase(f, n)
    out = np.zeros(n)
    for k, w in enumerate(weights, start=1):
        if w:
            # Fade partials out above 9 kHz so nothing aliases.
            fade = np.clip((9000.0 - f * k) / 1500.0, 0.0, 1.0)
            out += w * fade * np.sin(2 * np.pi * k * ph)
    return out / max(1e-9, sum(abs(w) for w in weights))


def sine(freq, duration):
    return harmonics(freq, duration, [1.0])


def square_ish(freq, duration, partials=9, vibrato=(0.0, 0.0)):
    return harmonics(freq, duration, [1.0 / k if k % 2 else 0.0 for k in range(1, partials + 1)], vibrato)


def saw_ish(freq, duration, partials=10, vibrato=(0.0, 0.0)):
    return harmonics(freq, duration, [1.0 / k for k in range(1, partials + 1)], vibrato)


def bell(freq, duration, decay=6.0):
    """A mallet or bell: a few inharmonic partials dying away."""
    t = timeline(duration)
    out = np.zeros_like(t)
    for ratio, weight, speed in ((1.0, 1.0, 1.0), (2.0, 0.45, 1.6), (3.01, 0.18, 2.4), (4.2, 0.08, 3.5)):
        out += weight * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-decay * speed * t)
    attack = np.clip(t / 0.004, 0, 1)
    return out * attack / 1.7


def adsr(n, attack, decay, sustain, release):
    """Envelope of n samples: rise, fall to sustain, hold, release to zero at the end."""
    env = np.full(n, float(sustain))
    a, d, r = seconds(attack), seconds(decay), seconds(release)
    a = min(a, n)
    env[:a] = np.linspace(0, 1, a, endpoint=False)
    d_end = min(n, a + d)
    env[a:d_end] = np.linspace(1, sustain, d_end - a, endpoint=False)
    if r:
        r = min(r, n)
        env[n - r:] *= np.linspace(1, 0, r)
    return env


def exp_decay(n, rate_per_s):
    return np.exp(-rate_per_s * np.arange(n) / RATE)


def noise(duration, seed):
    return np.random.default_rng(seed).standard_normal(seconds(duration))


def band(signal, low, high):
    """Keeps the band low..high Hz (soft edges), by FFT."""
    spectrum = np.fft.rfft(signal)
    f = np.fft.rfftfreq(len(signal), 1 / RATE)
    gain = np.ones_like(f)
    if low > 0:
        gain *= 1 / (1 + (low / np.maximum(f, 1e-3)) ** 4)
    if high:
        gain *= 1 / (1 + (f / high) ** 4)
    return np.fft.irfft(spectrum * gain, len(signal))


def sweep(f0, f1, duration, curve="exp"):
    n = seconds(duration)
    x = np.linspace(0, 1, n)
    if curve == "exp":
        return f0 * (f1 / f0) ** x
    return f0 + (f1 - f0) * x


def mix_into(buffer, sound, at, gain=1.0, wrap=False):
    """Adds sound into buffer starting at `at` seconds; with wrap, what runs past
    the end comes round to the start (for seamless loops)."""
    start = seconds(at)
    n = len(buffer)
    if wrap:
        idx = (start + np.arange(len(sound))) % n
        np.add.at(buffer, idx, sound * gain)
        return
    end = min(n, start + len(sound))
    if end > start:
        buffer[start:end] += sound[:end - start] * gain
