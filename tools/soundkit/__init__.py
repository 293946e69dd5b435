"""Synthesised sound effects and background music for the game."""
from .effects import EFFECTS
from .music import background_music
from .wav import normalise


def sounds():
    """File name -> normalised float samples, in the order of the game's sound table."""
    order = ["laught.wav", "Bom.wav", "bgmusic.wav", "great.wav", "ohno.wav", "easy.wav", "ready.wav", "exit.wav"]
    makers = dict(EFFECTS, **{"bgmusic.wav": background_music})
    return {name: normalise(makers[name]()) for name in order}
