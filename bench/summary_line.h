#pragma once

// The one line per measure that every benchmark ends with:
//   bench: <measure> ours=<value><unit> floor=<value> qt=<value>
//          pyserial=<value> ratio=<ours/floor> target=<target> <met|missed>
// (one line; peers left out where a measure has none). scripts/bench.sh
// collects these lines and docs/benchmarks.md tabulates them.

#include <optional>
#include <string>

namespace kx14::bench {

struct Summary {
  std::string measure;  // no blanks
  std::string unit;     // written after ours only: "us", "ms", "%", "MiB/s", "MiB"
  double ours = 0.0;
  double floor = 0.0;
  std::optional<double> qt;
  std::optional<double> pyserial;
  std::string target;  // no blanks, e.g. "<=1.2x_floor"
  bool met = false;
};

// Values with three significant digits (whole numbers from 100 on); the
// ratio with two decimals, "inf" when the floor is 0.
std::string FormatSummary(const Summary& summary);

// Prints FormatSummary and a newline to standard output and flushes it.
void PrintSummary(const Summary& summary);

}  // namespace kx14::bench
