#include "cli/doctor/processes.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "cli/doctor/text_files.h"
#include "base/integer_text.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

std::optional<int> PidOf(const std::string& name) {
  const auto pid = ReadDigits(name, 10, std::numeric_limits<int>::max());
  if (!pid || *pid == 0) return std::nullopt;
  return static_cast<int>(*pid);
}

bool HoldsDevice(const fs::path& fdDir, const fs::path& device, std::error_code& error) {
  for (fs::directory_iterator it(fdDir, error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    std::error_code ignored;  // a descriptor closed meanwhile
    if (fs::read_symlink(it->path(), ignored) == device) return true;
  }
  return false;
}

}  // namespace

std::vector<ProcessInfo> ListProcesses(const fs::path& procRoot) {
  std::vector<ProcessInfo> processes;
  std::error_code error;
  for (fs::directory_iterator it(procRoot, error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    const auto pid = PidOf(it->path().filename().string());
    if (!pid) continue;
    processes.push_back({*pid, ReadFirstLine(it->path() / "comm").value_or("")});
  }
  std::sort(processes.begin(), processes.end(),
            [](const ProcessInfo& a, const ProcessInfo& b) { return a.pid < b.pid; });
  return processes;
}

bool IsRunning(const std::vector<ProcessInfo>& processes, std::string_view program) {
  return std::any_of(processes.begin(), processes.end(),
                     [&](const ProcessInfo& p) { return p.program == program; });
}

DeviceHolders FindHolders(const fs::path& procRoot, const std::vector<ProcessInfo>& processes,
                          const fs::path& device) {
  DeviceHolders found;
  for (const ProcessInfo& process : processes) {
    std::error_code error;
    const bool holds = HoldsDevice(procRoot / std::to_string(process.pid) / "fd", device, error);
    if (holds) {
      found.holders.push_back(process);
    } else if (error == std::errc::permission_denied) {
      ++found.unreadable;
    }
  }
  return found;
}

}  // namespace kx14::cli
