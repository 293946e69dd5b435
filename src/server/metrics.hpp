// What GET /metrics shows, in Prometheus's text format: requests by route and
// status with their latency, the runs proven and how long each proof took,
// and the runs refused by reason. Safe to count from any thread.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

class Metrics {
 public:
  // Upper bounds of the latency buckets, in seconds.
  static constexpr std::array<double, 12> Buckets{0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025,
                                                  0.05,   0.1,   0.25,   0.5,   1.0,  2.5};

  void countRequest(std::string_view route, int status, double seconds);
  void countProof(double seconds);
  void countRefusal(std::string_view reason);
  std::string text() const;

 private:
  struct Histogram {
    std::array<uint64_t, Buckets.size()> counts{};  // per bucket, not cumulative
    uint64_t count = 0;
    double sum = 0;
    void add(double seconds);
  };

  mutable std::mutex mutex_;
  std::map<std::pair<std::string, int>, uint64_t> requests_;
  std::map<std::string, Histogram, std::less<>> latency_;
  Histogram proofs_;
  std::map<std::string, uint64_t, std::less<>> refusals_;
};
