// The program's one source of random numbers: a linear congruential generator
// with the phone C library's constants, so every host draws the same sequence.
#pragma once

#include <cstdint>

// The next value of the generator, 0..32767.
int32_t platformRandom();

// Starts the sequence again from `seed` (the C library's srand). A program
// that never seeds draws from seed 1.
void platformSeedRandom(uint32_t seed);
// Where the sequence stands: seeding with it later goes on from here.
uint32_t platformRandomState();

// Replaces the source of platformRandom (tests make draws repeatable with it);
// nullptr restores the generator. Returns the source it replaces.
using RandomSource = int32_t (*)();
RandomSource setRandomSource(RandomSource source);
