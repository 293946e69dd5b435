// Counts calls of the global operator new in the program that links
// allocation_counter.cpp, to prove a code path allocates nothing.
#pragma once

#include <cstdint>

uint64_t allocationCount();
