#include "bench/latency_stats.h"

#include <algorithm>
#include <cmath>

namespace kx14::bench {

double Percentile(std::vector<double> samples, double q) {
  if (samples.empty()) return 0.0;
  const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
  const std::size_t index = std::clamp<std::size_t>(rank, 1, samples.size()) - 1;
  std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(index),
                   samples.end());
  return samples[index];
}

LatencyStats Summarise(const std::vector<double>& samples) {
  return {samples.size(), Percentile(samples, 0.5), Percentile(samples, 0.99)};
}

}  // namespace kx14::bench
