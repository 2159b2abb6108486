#include "bench/process_usage.h"

#include <sys/resource.h>

#include <fstream>
#include <sstream>

namespace kx14::bench {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::optional<double> PeakMemoryMiB(const std::string& statusText) {
  std::istringstream in(statusText);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmHWM:", 0) != 0) continue;
    std::istringstream fields(line.substr(6));
    double kib = 0;
    if (fields >> kib) return kib / 1024.0;
  }
  return std::nullopt;
}

std::optional<double> PeakMemoryOfProcess(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return PeakMemoryMiB(text.str());
}

}  // namespace kx14::bench
