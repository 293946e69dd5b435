// The baseline every frame benchmark is compared with: one plain copy of a
// 480 x 720 RGBA frame, measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/canvas.hpp"

namespace {

constexpr size_t FramePixels = static_cast<size_t>(Canvas::Width) * Canvas::Height;

void BM_CopyPlainFrame(benchmark::State& state) {
  std::vector<uint32_t> source(FramePixels);
  for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<uint32_t>(i * 2654435761u);
  std::vector<uint32_t> target(FramePixels);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), FramePixels * sizeof(uint32_t));
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FramePixels * sizeof(uint32_t)));
}
BENCHMARK(BM_CopyPlainFrame);

}  // namespace
