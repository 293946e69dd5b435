// Counting for GET /metrics, and its text.
#include "server/metrics.hpp"

#include <cstdio>

namespace {

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

// One histogram's lines, cumulative as Prometheus wants them.
void writeHistogram(std::string& out, const std::string& name, const std::string& labels, const auto& histogram) {
  const auto& bounds = Metrics::Buckets;
  const std::string before = labels.empty() ? "" : labels + ",";
  uint64_t cumulative = 0;
  for (size_t i = 0; i < bounds.size(); ++i) {
    cumulative += histogram.counts[i];
    out += name + "_bucket{" + before + "le=\"" + number(bounds[i]) + "\"} " + std::to_string(cumulative) + "\n";
  }
  out += name + "_bucket{" + before + "le=\"+Inf\"} " + std::to_string(histogram.count) + "\n";
  const std::string braces = labels.empty() ? "" : "{" + labels + "}";
  out += name + "_sum" + braces + " " + number(histogram.sum) + "\n";
  out += name + "_count" + braces + " " + std::to_string(histogram.count) + "\n";
}

}  // namespace

void Metrics::Histogram::add(double seconds) {
  for (size_t i = 0; i < Buckets.size(); ++i) {
    if (seconds <= Buckets[i]) {
      ++counts[i];
      break;
    }
  }
  ++count;
  sum += seconds;
}

void Metrics::countRequest(std::string_view route, int status, double seconds) {
  std::lock_guard lock(mutex_);
  ++requests_[{std::string(route), status}];
  auto histogram = latency_.find(route);
  if (histogram == latency_.end()) histogram = latency_.emplace(std::string(route), Histogram{}).first;
  histogram->second.add(seconds);
}

void Metrics::countProof(double seconds) {
  std::lock_guard lock(mutex_);
  proofs_.add(seconds);
}

void Metrics::countRefusal(std::string_view reason) {
  std::lock_guard lock(mutex_);
  auto count = refusals_.find(reason);
  if (count == refusals_.end()) count = refusals_.emplace(std::string(reason), 0).first;
  ++count->second;
}

std::string Metrics::text() const {
  std::lock_guard lock(mutex_);
  std::string out;
  out += "# HELP quandrel_requests_total HTTP requests answered, by route and status.\n";
  out += "# TYPE quandrel_requests_total counter\n";
  for (const auto& [key, count] : requests_)
    out += "quandrel_requests_total{route=\"" + key.first + "\",status=\"" + std::to_string(key.second) + "\"} " +
           std::to_string(count) + "\n";
  out += "# HELP quandrel_request_duration_seconds Time from a request's headers to its answer, by route.\n";
  out += "# TYPE quandrel_request_duration_seconds histogram\n";
  for (const auto& [route, histogram] : latency_)
    writeHistogram(out, "quandrel_request_duration_seconds", "route=\"" + route + "\"", histogram);
  out += "# HELP quandrel_proofs_total Runs replayed to prove them.\n";
  out += "# TYPE quandrel_proofs_total counter\n";
  out += "quandrel_proofs_total " + std::to_string(proofs_.count) + "\n";
  out += "# HELP quandrel_proof_duration_seconds Time to prove a run by replaying it.\n";
  out += "# TYPE quandrel_proof_duration_seconds histogram\n";
  writeHistogram(out, "quandrel_proof_duration_seconds", "", proofs_);
  out += "# HELP quandrel_refusals_total Runs refused, by reason.\n";
  out += "# TYPE quandrel_refusals_total counter\n";
  for (const auto& [reason, count] : refusals_)
    out += "quandrel_refusals_total{reason=\"" + reason + "\"} " + std::to_string(count) + "\n";
  return out;
}
