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

// Whether the device could be opened now. Linux looks without opening it:
// Busy when another process holds the exclusive lock that every opener of a
// port takes, with those processes. Windows can only try to open it, and
// learns no holder.
PortState ProbePortState(const std::filesystem::path& device);

// "free", "busy: held by PID 42 (minicom)", "no access", "missing"; a busy
// port without known holders says that its PID is not known.
std::string DescribePortState(const PortState& state);

// Where to look next when the named port (empty: any port) is missing or
// cannot be opened: the doctor on Linux, the Device Manager on Windows.
std::string PortTroubleHint(const std::string& portName);

}  // namespace kx14::cli
