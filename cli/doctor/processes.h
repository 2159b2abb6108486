#pragma once

// The processes under the injected /proc root: their names, and which of them
// hold a device open.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx14::cli {

struct ProcessInfo {
  int pid = 0;
  std::string program;  // <proc>/PID/comm: the kernel's name, at most 15 characters
  friend bool operator==(const ProcessInfo&, const ProcessInfo&) = default;
};

// Every numbered folder of procRoot, by PID. A process that ends while it is
// listed keeps an empty program name.
std::vector<ProcessInfo> ListProcesses(const std::filesystem::path& procRoot);

bool IsRunning(const std::vector<ProcessInfo>& processes, std::string_view program);

struct DeviceHolders {
  std::vector<ProcessInfo> holders;
  int unreadable = 0;  // processes whose descriptors we may not look at (other users')
};

// The processes with a descriptor whose link names `device` (machine terms).
DeviceHolders FindHolders(const std::filesystem::path& procRoot,
                          const std::vector<ProcessInfo>& processes,
                          const std::filesystem::path& device);

}  // namespace kx14::cli
