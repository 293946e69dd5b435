// Counts every operator new in the program that links allocation_recorder.cpp
// and keeps the call stacks of the first few, to say where an allocation came
// from.
#pragma once

#include <string>

// Starts counting from zero.
void startCountingAllocations();
// Stops counting; returns how many allocations were made since the start.
long stopCountingAllocations();
// Each different place that allocated while counting, as "function at
// file:line" lines, with how often it did.
std::string describeAllocations(long count);

// Counts the allocations made while `work` runs; `where` receives their places.
template <typename Work>
long allocationsDuring(Work&& work, std::string& where) {
  startCountingAllocations();
  work();
  const long count = stopCountingAllocations();
  where = describeAllocations(count);
  return count;
}
