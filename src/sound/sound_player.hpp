// The game's sound effects by index, under the player's sound switch and the
// device's silent mode. One sound plays at a time; index 3, the background
// tune, loops until another sound starts.
#pragma once

#include <cstdint>

class SoundPlayer {
 public:
  static constexpr uint32_t FirstSound = 1;
  static constexpr uint32_t LastSound = 8;
  static constexpr uint32_t BackgroundMusic = 3;

  // Also hands the sound table to the platform, which names sounds by these numbers.
  SoundPlayer();

  // Plays sound `index` (1..8). False, playing nothing, while the switch is
  // off or the device is silent; true otherwise, also for an index outside
  // 1..8 (which plays nothing) and whether or not the file could be played.
  bool playSound(uint32_t index);
  // Loads every sound of the table ahead of play (whatever the switch says),
  // so that no sound's first play reads a file or allocates.
  void prepareSounds();
  // The sprayer's step, over the sound playing, placed from -1 (left) to 1
  // (right): heard by a player by ear. Under the same switch and silent mode.
  bool playStepCue(float pan);

  bool enabled = true;  // the sound switch
};

// The file of sound `index` ("./Sounds/laught.wav" ...); null outside 1..8.
const char16_t* soundFileName(uint32_t index);
