// The sound table and SoundPlayer::playSound.
#include "sound/sound_player.hpp"

#include <array>

#include "platform/mz_functions.hpp"
#include "platform/sound_numbers.hpp"

namespace {

struct SoundEntry {
  const char16_t* fileName;
  uint32_t flags;
};

constexpr uint32_t PlayOnce = SndFilename | SndAsync;
constexpr uint32_t PlayLooping = SndFilename | SndAsync | SndLoop;

constexpr std::array<SoundEntry, SoundPlayer::LastSound> Sounds{{
    {u"./Sounds/laught.wav", PlayOnce},
    {u"./Sounds/Bom.wav", PlayOnce},
    {u"./Sounds/bgmusic.wav", PlayLooping},
    {u"./Sounds/great.wav", PlayOnce},
    {u"./Sounds/ohno.wav", PlayOnce},
    {u"./Sounds/easy.wav", PlayOnce},
    {u"./Sounds/ready.wav", PlayOnce},
    {u"./Sounds/exit.wav", PlayOnce},
}};

constexpr const char16_t* StepCue = u"./Sounds/step.wav";

bool inTable(uint32_t index) { return index >= SoundPlayer::FirstSound && index <= SoundPlayer::LastSound; }

}  // namespace

SoundPlayer::SoundPlayer() {
  std::array<const char16_t*, LastSound> names{};
  for (size_t i = 0; i < Sounds.size(); ++i) names[i] = Sounds[i].fileName;
  MzSetSoundNumbers(names.data(), names.size());
}

const char16_t* soundFileName(uint32_t index) { return inTable(index) ? Sounds[index - 1].fileName : nullptr; }

void SoundPlayer::prepareSounds() {
  for (const SoundEntry& sound : Sounds) PrepareSoundW(sound.fileName);
  PrepareSoundW(StepCue);
}

bool SoundPlayer::playSound(uint32_t index) {
  if (!enabled || MzIsSilence()) return false;
  if (inTable(index)) PlaySoundW(Sounds[index - 1].fileName, Sounds[index - 1].flags);
  return true;
}

bool SoundPlayer::playStepCue(float pan) {
  if (!enabled || MzIsSilence()) return false;
  PlayCueW(StepCue, pan);
  return true;
}
