#include "bench/summary_line.h"

#include <cmath>
#include <cstdio>

namespace kx14::bench {
namespace {

std::string FormatValue(double value) {
  char text[64];
  if (std::fabs(value) >= 100.0) {
    std::snprintf(text, sizeof text, "%.0f", value);
  } else {
    std::snprintf(text, sizeof text, "%.3g", value);
  }
  return text;
}

std::string FormatRatio(double ours, double floor) {
  if (floor == 0.0) return "inf";
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", ours / floor);
  return text;
}

}  // namespace

std::string FormatSummary(const Summary& s) {
  std::string line = "bench: " + s.measure + " ours=" + FormatValue(s.ours) + s.unit +
                     " floor=" + FormatValue(s.floor);
  if (s.qt) line += " qt=" + FormatValue(*s.qt);
  if (s.pyserial) line += " pyserial=" + FormatValue(*s.pyserial);
  line += " ratio=" + FormatRatio(s.ours, s.floor) + " target=" + s.target;
  line += s.met ? " met" : " missed";
  return line;
}

void PrintSummary(const Summary& summary) {
  std::printf("%s\n", FormatSummary(summary).c_str());
  std::fflush(stdout);
}

}  // namespace kx14::bench
