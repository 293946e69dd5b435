"""Checks the committed sounds: every file of the sound table is 16-bit PCM at a
rate the players take, the effects are short, the music is a loop of 8-16 s that
joins without a click, nothing clips, the effects play at one loudness and the
music about 6 dB below them."""
import os
import struct
import unittest

import numpy as np

ROOT = os.environ.get("QUANDREL_SOURCE_DIR") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
SOUNDS = os.path.join(ROOT, "assets", "Sounds")
EFFECTS = ["laught.wav", "Bom.wav", "great.wav", "ohno.wav", "easy.wav", "ready.wav", "exit.wav"]
MUSIC = "bgmusic.wav"


def read_wav(name):
    """(rate, channels, bits, samples as float -1..1 with shape (n, channels)), parsed
    chunk by chunk so a malformed header fails here rather than in the game."""
    with open(os.path.join(SOUNDS, name), "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{name}: not a RIFF WAVE file")
    if struct.unpack_from("<I", data, 4)[0] != len(data) - 8:
        raise ValueError(f"{name}: RIFF size does not match the file")
    pos, fmt, pcm = 12, None, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        body = data[pos + 8:pos + 8 + size]
        if cid == b"fmt ":
            fmt = struct.unpack_from("<HHIIHH", body)
        elif cid == b"data":
            pcm = body
        pos += 8 + size + (size & 1)
    if fmt is None or pcm is None:
        raise ValueError(f"{name}: fmt or data chunk missing")
    tag, channels, rate, byte_rate, align, bits = fmt
    if tag != 1:
        raise ValueError(f"{name}: not PCM")
    if byte_rate != rate * align or align != channels * bits // 8:
        raise ValueError(f"{name}: inconsistent fmt chunk")
    samples = np.frombuffer(pcm, dtype="<i2").reshape(-1, channels) / 32768.0
    return rate, channels, bits, samples


def loudest_window_db(samples, rate):
    """RMS over the loudest 400 ms (or the whole sound when shorter), in dBFS."""
    mono = samples.mean(axis=1)
    w = max(1, min(len(mono), int(0.4 * rate)))
    energy = np.concatenate(([0.0], np.cumsum(mono * mono)))
    return 10 * np.log10(((energy[w:] - energy[:-w]) / w).max())


class SoundFiles(unittest.TestCase):
    def test_every_sound_is_16_bit_pcm_at_a_standard_rate(self):
        for name in EFFECTS + [MUSIC]:
            with self.subTest(name=name):
                rate, channels, bits, samples = read_wav(name)
                self.assertIn(rate, (22050, 44100))
                self.assertIn(channels, (1, 2))
                self.assertEqual(bits, 16)
                self.assertGreater(len(samples), rate // 10)

    def test_effects_are_short_and_start_and_end_in_silence(self):
        for name in EFFECTS:
            with self.subTest(name=name):
                rate, _, _, samples = read_wav(name)
                self.assertLessEqual(len(samples) / rate, 1.5)
                self.assertLess(np.abs(samples[0]).max(), 0.02, "starts with a click")
                self.assertLess(np.abs(samples[-1]).max(), 0.02, "ends with a click")

    def test_music_is_a_loop_of_eight_to_sixteen_seconds_without_a_click(self):
        rate, _, _, samples = read_wav(MUSIC)
        self.assertGreaterEqual(len(samples) / rate, 8.0)
        self.assertLessEqual(len(samples) / rate, 16.0 + 1e-6)
        steps = np.abs(np.diff(samples, axis=0)).max(axis=1)
        seam = np.abs(samples[0] - samples[-1]).max()
        self.assertLessEqual(seam, np.percentile(steps, 99.5), "the loop point jumps")

    def test_nothing_clips(self):
        for name in EFFECTS + [MUSIC]:
            with self.subTest(name=name):
                _, _, _, samples = read_wav(name)
                self.assertLess(np.abs(samples).max(), 0.99)

    def test_effects_share_one_loudness_and_the_music_lies_6_db_below(self):
        levels = {}
        for name in EFFECTS + [MUSIC]:
            rate, _, _, samples = read_wav(name)
            levels[name] = loudest_window_db(samples, rate)
        effects = [levels[name] for name in EFFECTS]
        self.assertLessEqual(max(effects) - min(effects), 1.0, f"effects' loudness differs: {levels}")
        # Below the quietest effect by at least 5 dB, below the loudest by at most 7 dB.
        self.assertGreaterEqual(min(effects) - levels[MUSIC], 5.0, f"music too loud: {levels}")
        self.assertLessEqual(max(effects) - levels[MUSIC], 7.0, f"music too quiet: {levels}")
        for name, level in levels.items():
            self.assertGreater(level, -30.0, f"{name} is nearly silent")

    def test_folder_size_stays_small(self):
        total = sum(os.path.getsize(os.path.join(SOUNDS, n)) for n in os.listdir(SOUNDS))
        self.assertLess(total, 4 * 1024 * 1024)


if __name__ == "__main__":
    unittest.main()
