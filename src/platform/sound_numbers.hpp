// The numbers by which the program calls its sounds, handed in by the program, so that a host
// that records sounds instead of playing them (the headless dump) can report them by number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Sound number i (from 1) is fileNames[i - 1], a name as given to PlaySoundW
// ("./Sounds/x.wav"). Replaces any numbering set before.
void MzSetSoundNumbers(const char16_t* const* fileNames, size_t count);
// The number of the sound whose file is at the resolved path `path`, or 0 for none.
uint32_t MzSoundNumberOfPath(const std::string& path);
