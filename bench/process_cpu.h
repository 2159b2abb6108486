#pragma once

// CPU time spent by this process (every thread, user and system).

namespace kx14::bench {

double ProcessCpuSeconds();

// Percent of one core: cpuSeconds used over wallSeconds.
inline double CpuPercent(double cpuSeconds, double wallSeconds) {
  return wallSeconds > 0.0 ? 100.0 * cpuSeconds / wallSeconds : 0.0;
}

}  // namespace kx14::bench
