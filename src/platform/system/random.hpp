// The program's one source of random numbers: the C runtime's generator, never seeded.
#pragma once

#include <cstdint>

// The next value of the generator, a non-negative integer.
int32_t platformRandom();

// Replaces the source of platformRandom (tests make draws repeatable with it);
// nullptr restores the C runtime's generator. Returns the source it replaces.
using RandomSource = int32_t (*)();
RandomSource setRandomSource(RandomSource source);
