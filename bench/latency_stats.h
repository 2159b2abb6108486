#pragma once

// Order statistics of a set of timings.

#include <cstddef>
#include <vector>

namespace kx14::bench {

struct LatencyStats {
  std::size_t count = 0;
  double median = 0.0;
  double p99 = 0.0;  // 99th percentile
};

// Nearest-rank percentile (the smallest sample at or above the fraction q of
// the sorted samples), 0 < q <= 1; 0 for no samples.
double Percentile(std::vector<double> samples, double q);

// Median and 99th percentile; zeros for no samples.
LatencyStats Summarise(const std::vector<double>& samples);

}  // namespace kx14::bench
