"""bgmusic.wav: an 8-bar, 16-second tune in C major at 120 beats a minute.

Every note is mixed in with wrap-around, so tails that ring past the end of the
loop sound again at its start and the loop joins without a click.
"""
import numpy as np

from .synth import adsr, band, bell, exp_decay, harmonics, mix_into, noise, note_hz, seconds, sine, square_ish, sweep

BEAT = 0.5
EIGHTH = BEAT / 2
BARS = 8
LOOP = BARS * 4 * BEAT

# One bar per string: eight eighth-note slots; '-' holds the previous note, '.' rests.
MELODY = [
    "E5 G5 C6 G5 A5 G5 E5 -",
    "C5 E5 A5 E5 G5 E5 C5 -",
    "F5 A5 C6 A5 G5 F5 D5 -",
    "D5 G5 B5 G5 A5 G5 D5 .",
    "E5 G5 C6 D6 E6 D6 C6 -",
    "A5 C6 E6 C6 B5 A5 E5 -",
    "F5 A5 C6 A5 D6 C6 A5 G5",
    "G5 - D5 - B4 - D5 .",
]
CHORDS = [("C3", "C4 E4 G4"), ("A2", "A3 C4 E4"), ("F2", "A3 C4 F4"), ("G2", "B3 D4 G4")] * 2


def _melody(out):
    for bar, line in enumerate(MELODY):
        slots = line.split()
        i = 0
        while i < len(slots):
            name = slots[i]
            length = 1
            while i + length < len(slots) and slots[i + length] == "-":
                length += 1
            if name not in ".-":
                d = length * EIGHTH
                hz = note_hz(name)
                lead = square_ish(hz, d + 0.05, partials=7, vibrato=(5.0, 0.006))
                lead *= adsr(len(lead), 0.006, 0.08, 0.55, 0.07)
                at = bar * 4 * BEAT + i * EIGHTH
                mix_into(out, lead, at, 0.16, wrap=True)
                mix_into(out, bell(hz, 0.5, decay=5.0), at, 0.12, wrap=True)
            i += length


def _bass_and_chords(out):
    for bar, (root, triad) in enumerate(CHORDS):
        start = bar * 4 * BEAT
        root_hz = note_hz(root)
        for beat, mult in enumerate((1.0, 2.0, 1.5, 2.0)):
            hz = root_hz * mult
            b = harmonics(hz, BEAT * 0.9, [1.0, 0.35, 0.12]) * adsr(seconds(BEAT * 0.9), 0.005, 0.12, 0.6, 0.08)
            mix_into(out, b, start + beat * BEAT, 0.42, wrap=True)
        for beat in range(4):
            for name in triad.split():
                mix_into(out, bell(note_hz(name), 0.4, decay=8.0), start + beat * BEAT + EIGHTH, 0.09, wrap=True)


def _drums(out):
    kick = sine(sweep(140, 45, 0.18), 0.18) * exp_decay(seconds(0.18), 22)
    snare = band(noise(0.16, seed=21), 900, 6000) * exp_decay(seconds(0.16), 28)
    hat = band(noise(0.05, seed=22), 6000, 10000) * exp_decay(seconds(0.05), 80)
    for bar in range(BARS):
        start = bar * 4 * BEAT
        for beat in range(4):
            at = start + beat * BEAT
            if beat in (0, 2):
                mix_into(out, kick, at, 0.55, wrap=True)
            else:
                mix_into(out, snare, at, 0.16, wrap=True)
            mix_into(out, hat, at, 0.05, wrap=True)
            mix_into(out, hat, at + EIGHTH, 0.09, wrap=True)


def background_music():
    out = np.zeros(seconds(LOOP))
    _melody(out)
    _bass_and_chords(out)
    _drums(out)
    return out
