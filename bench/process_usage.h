#pragma once

// What a process costs: CPU time and peak memory.

#include <sys/types.h>

#include <optional>
#include <string>

namespace kx14::bench {

// CPU time spent by this process (every thread, user and system).
double ProcessCpuSeconds();

// Percent of one core: cpuSeconds used over wallSeconds.
inline double CpuPercent(double cpuSeconds, double wallSeconds) {
  return wallSeconds > 0.0 ? 100.0 * cpuSeconds / wallSeconds : 0.0;
}

// The VmHWM (peak resident set) line of a /proc/<pid>/status text, in MiB;
// nothing without one.
std::optional<double> PeakMemoryMiB(const std::string& statusText);

// PeakMemoryMiB of a running process; nothing when it is gone.
std::optional<double> PeakMemoryOfProcess(pid_t pid);

}  // namespace kx14::bench
