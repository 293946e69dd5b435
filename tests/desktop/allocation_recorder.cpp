// The replaced operator new: counts while asked to and keeps the call stacks
// of the first allocations, named later with addr2line.
#include "allocation_recorder.hpp"

#include <dlfcn.h>
#include <execinfo.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>

namespace {

constexpr size_t KeptStacks = 256;
constexpr int StackDepth = 24;
// Frame 0 is recordAllocation, frame 1 operator new.
constexpr int FirstCallerFrame = 2;
constexpr int ShownFrames = 4;

struct Stack {
  std::array<void*, StackDepth> frames{};
  int depth = 0;
};

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
std::array<Stack, KeptStacks> stacks{};

void recordAllocation() {
  const long index = allocations++;
  if (index >= static_cast<long>(KeptStacks)) return;
  counting = false;
  Stack& stack = stacks[static_cast<size_t>(index)];
  stack.depth = backtrace(stack.frames.data(), StackDepth);
  counting = true;
}

// "function at file:line", by addr2line when it can tell.
std::string describeFrame(void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return "?\n";
  // A return address points after its call: step back into it.
  const auto offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(info.dli_fbase) - 1;
  char command[1024];
  std::snprintf(command, sizeof command, "addr2line -C -f -p -e '%s' 0x%zx 2>/dev/null", info.dli_fname,
                static_cast<size_t>(offset));
  std::string text;
  if (FILE* pipe = ::popen(command, "r")) {
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) text += line;
    ::pclose(pipe);
  }
  if (text.empty()) text = std::string(info.dli_sname ? info.dli_sname : info.dli_fname) + "\n";
  return text;
}

}  // namespace

// The replacements pair malloc with free; GCC cannot see that across the
// replaced operators and warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (counting) recordAllocation();
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}
// The nothrow form too (std::stable_sort's buffer): a sanitizer's own version
// would pair its allocation with the free above and report a mismatch.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting) recordAllocation();
  return std::malloc(size ? size : 1);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

void startCountingAllocations() {
  // backtrace loads its unwinder on first use: not while counting.
  static const bool warmedUp = [] {
    void* frames[2];
    return backtrace(frames, 2) > 0;
  }();
  (void)warmedUp;
  allocations = 0;
  counting = true;
}

long stopCountingAllocations() {
  counting = false;
  return allocations;
}

std::string describeAllocations(long count) {
  std::map<std::string, int> places;
  for (size_t i = 0; i < KeptStacks && static_cast<long>(i) < count; ++i) {
    std::string place;
    for (int frame = FirstCallerFrame; frame < std::min(stacks[i].depth, FirstCallerFrame + ShownFrames); ++frame) {
      place += "  " + describeFrame(stacks[i].frames[frame]);
    }
    ++places[place];
  }
  std::string text;
  for (const auto& [place, times] : places) text += std::to_string(times) + " allocation(s) at\n" + place;
  return text;
}
