"""The short sound effects, synthesised: a squirt with a giggle for each shot, a
boom, a happy arpeggio, a sad trombone, a magic shimmer, a start fanfare and a
goodbye chime."""
import numpy as np

from .synth import (adsr, band, bell, exp_decay, harmonics, mix_into, noise, note_hz,
                    saw_ish, seconds, sine, square_ish, sweep)


def _buffer(duration):
    return np.zeros(seconds(duration))


def _fade_out(x, duration=0.03):
    """Ramps the first 3 ms in and the last `duration` out, so nothing clicks."""
    n = min(len(x), seconds(duration))
    x[len(x) - n:] *= np.linspace(1, 0, n)
    lead = seconds(0.003)
    x[:lead] *= np.linspace(0, 1, lead)
    return x


def laugh():
    """laught.wav: a quick squirt of paint and a tiny two-note giggle."""
    out = _buffer(0.5)
    squirt = band(noise(0.14, seed=1), 1800, 7000) * exp_decay(seconds(0.14), 26)
    mix_into(out, squirt, 0.0, 0.45)
    bloop = sine(sweep(1100, 320, 0.12), 0.12) * adsr(seconds(0.12), 0.004, 0.05, 0.6, 0.04)
    mix_into(out, bloop, 0.01, 0.6)
    # "Hee-hee-hee": four quick breathy pulses, each a little lower.
    for i in range(4):
        d = 0.05
        pitch = 980 - 70 * i
        f = sweep(pitch * 1.08, pitch, d)
        hee = harmonics(f, d, [1, 0.5, 0.45, 0.3, 0.2], vibrato=(30, 0.03))
        hee += 0.25 * band(noise(d, seed=10 + i), 2000, 6000)
        hee *= np.sin(np.linspace(0, np.pi, len(hee))) ** 1.5
        mix_into(out, hee, 0.16 + i * 0.068, 0.5 - 0.06 * i)
    return _fade_out(out)


def boom():
    """Bom.wav: a round cartoon explosion."""
    d = 1.0
    out = _buffer(d)
    rumble = band(noise(d, seed=2), 30, 900) * exp_decay(seconds(d), 5.5)
    mix_into(out, rumble, 0, 0.9)
    thump = sine(sweep(130, 38, 0.5), 0.5) * exp_decay(seconds(0.5), 7)
    mix_into(out, thump, 0, 0.9)
    crack = band(noise(0.05, seed=3), 1500, 6000) * exp_decay(seconds(0.05), 60)
    mix_into(out, crack, 0, 0.5)
    return _fade_out(out, 0.1)


def great():
    """great.wav: a bright rising arpeggio with a sparkle on top."""
    out = _buffer(1.15)
    for i, name in enumerate(("C5", "E5", "G5", "C6")):
        mix_into(out, bell(note_hz(name), 0.7, decay=4.5), i * 0.085, 0.55)
        lead = square_ish(note_hz(name), 0.12, partials=5) * adsr(seconds(0.12), 0.005, 0.04, 0.5, 0.05)
        mix_into(out, lead, i * 0.085, 0.18)
    for i, name in enumerate(("E6", "G6", "C7")):
        mix_into(out, bell(note_hz(name), 0.45, decay=7), 0.40 + i * 0.06, 0.22)
    chord = sum(bell(note_hz(n), 0.8, decay=3.2) for n in ("C5", "E5", "G5")) / 3
    mix_into(out, chord, 0.36, 0.5)
    return _fade_out(out, 0.08)


def oh_no():
    """ohno.wav: a sad trombone, wah-wah-wah-waaah."""
    out = _buffer(1.45)
    notes = (("G3", 0.0, 0.26), ("F#3", 0.28, 0.26), ("F3", 0.56, 0.26), ("E3", 0.84, 0.58))
    for name, start, d in notes:
        long_note = d > 0.3
        tone = saw_ish(note_hz(name), d, partials=12, vibrato=(6.0, 0.018 if long_note else 0.0))
        # The "wah": a soft lowpass that opens then closes over each note.
        n = seconds(d)
        muffled = harmonics(note_hz(name), d, [1, 0.5, 0.2], vibrato=(6.0, 0.018 if long_note else 0.0))
        opening = np.sin(np.linspace(0, np.pi, n)) ** 1.5
        voice = muffled * (1 - opening) + tone * opening
        voice *= adsr(n, 0.02, 0.05, 0.85, 0.08)
        mix_into(out, voice, start, 0.6)
    return _fade_out(out, 0.06)


def easy():
    """easy.wav: a quick magic shimmer up a pentatonic run, ending in a soft ding."""
    out = _buffer(0.95)
    run = ("C5", "D5", "E5", "G5", "A5", "C6", "D6", "E6")
    for i, name in enumerate(run):
        mix_into(out, bell(note_hz(name), 0.35, decay=9), i * 0.035, 0.32)
    mix_into(out, bell(note_hz("G6"), 0.6, decay=4.5), 0.3, 0.5)
    mix_into(out, bell(note_hz("C6"), 0.6, decay=4.0), 0.3, 0.35)
    air = band(noise(0.5, seed=4), 4000, 9000) * np.sin(np.linspace(0, np.pi, seconds(0.5))) ** 2
    mix_into(out, air, 0.0, 0.06)
    return _fade_out(out, 0.06)


def ready():
    """ready.wav: two short beeps and a high 'go', like the start of a race."""
    out = _buffer(1.25)
    for start in (0.0, 0.32):
        beep = square_ish(note_hz("A4"), 0.14, partials=7) * adsr(seconds(0.14), 0.005, 0.03, 0.8, 0.04)
        mix_into(out, beep, start, 0.45)
        mix_into(out, bell(note_hz("A5"), 0.2, decay=10), start, 0.2)
    go = square_ish(note_hz("A5"), 0.5, partials=7, vibrato=(5.5, 0.01)) * adsr(seconds(0.5), 0.005, 0.1, 0.7, 0.18)
    mix_into(out, go, 0.64, 0.42)
    chord = sum(bell(note_hz(n), 0.6, decay=3.5) for n in ("A4", "C#5", "E5", "A5")) / 4
    mix_into(out, chord, 0.64, 0.55)
    return _fade_out(out, 0.05)


def goodbye():
    """exit.wav: a gentle falling two-note chime."""
    out = _buffer(1.0)
    mix_into(out, bell(note_hz("G5"), 0.6, decay=4.0), 0.0, 0.55)
    mix_into(out, bell(note_hz("E5"), 0.6, decay=4.0), 0.16, 0.5)
    mix_into(out, bell(note_hz("C5"), 0.8, decay=3.0), 0.32, 0.6)
    pad = harmonics(note_hz("C4"), 0.7, [1, 0.3]) * adsr(seconds(0.7), 0.08, 0.2, 0.5, 0.3)
    mix_into(out, pad, 0.3, 0.2)
    return _fade_out(out, 0.06)


def step():
    """step.wav: a short wooden tick for each step of the sprayer, heard by a
    player by ear (panned to the sprayer's place by the game)."""
    out = _buffer(0.07)
    knock = sine(sweep(900, 600, 0.05), 0.05) * exp_decay(seconds(0.05), 70)
    mix_into(out, knock, 0.0, 0.7)
    click = band(noise(0.02, seed=4), 2000, 6000) * exp_decay(seconds(0.02), 150)
    mix_into(out, click, 0.0, 0.3)
    return _fade_out(out, 0.015)


EFFECTS = {
    "laught.wav": laugh,
    "Bom.wav": boom,
    "great.wav": great,
    "ohno.wav": oh_no,
    "easy.wav": easy,
    "ready.wav": ready,
    "exit.wav": goodbye,
    "step.wav": step,
}
