"""Synthesised sound effects and background music for the game."""
from .effects import EFFECTS
from .music import background_music
from .wav import TARGET_DB, normalise

# The music sits this far below the effects, so a shot, a spoil or a completion stands out over it.
MUSIC_BELOW_EFFECTS_DB = 6.0


def sounds():
    """File name -> normalised float samples, in the order of the game's sound table, then the step cue."""
    order = ["laught.wav", "Bom.wav", "bgmusic.wav", "great.wav", "ohno.wav", "easy.wav", "ready.wav", "exit.wav",
             "step.wav"]
    makers = dict(EFFECTS, **{"bgmusic.wav": background_music})
    levels = {"bgmusic.wav": TARGET_DB - MUSIC_BELOW_EFFECTS_DB}
    return {name: normalise(makers[name](), levels.get(name, TARGET_DB)) for name in order}
