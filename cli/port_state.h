#pragma once

// Whether a port's device can be opened by this user right now, and if not,
// why: the `ports` list shows it and a failed opening explains itself with it.

#include <filesystem>
#include <string>
#include <vector>

namespace kx14::cli {

struct PortHolder {
  int pid = 0;
  std::string program;  // the process's command name
};

struct PortState {
  enum class Kind { Free, Busy, NoAccess, Missing };
  Kind kind = Kind::Free;
  std::vector<PortHolder> holders;  // Busy: the processes that hold it open
};

// Looks without opening the device: Busy when another process holds the
// exclusive lock that every opener of a port takes.
PortState ProbePortState(const std::filesystem::path& device);

// "free", "busy: held by PID 42 (minicom)", "no access", "missing".
std::string DescribePortState(const PortState& state);

}  // namespace kx14::cli
