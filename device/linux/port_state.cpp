#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "device/port_state.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

std::string CommandName(int pid) {
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

// The processes holding a lock on the device's inode, from /proc/locks
// ("1: FLOCK  ADVISORY  WRITE 4242 00:1a:5 0 EOF"). Ports are opened with an
// exclusive flock, so this names exactly those that keep others out, and it
// sees the processes of every user; a process that merely has the device
// open (the simulator keeps its pty's far side) is not counted.
std::vector<PortHolder> LockHolders(const struct stat& device) {
  std::vector<PortHolder> holders;
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, where;
    int pid = 0;
    if (!(fields >> number >> kind)) continue;
    if (kind == "->") fields >> kind;  // a waiter's line
    unsigned lockMajor = 0, lockMinor = 0;
    unsigned long long inode = 0;
    if (!(fields >> mode >> access >> pid >> where)) continue;
    if (std::sscanf(where.c_str(), "%x:%x:%llu", &lockMajor, &lockMinor, &inode) != 3) continue;
    if (inode == device.st_ino && lockMajor == major(device.st_dev) &&
        lockMinor == minor(device.st_dev) && pid != ::getpid()) {
      holders.push_back({pid, CommandName(pid)});
    }
  }
  return holders;
}

}  // namespace

PortState ProbePortState(const fs::path& device) {
  std::error_code error;
  const fs::path real = fs::canonical(device, error);
  if (error) return {PortState::Kind::Missing, {}};
  struct stat status {};
  if (::stat(real.c_str(), &status) != 0) return {PortState::Kind::Missing, {}};
  if (::access(real.c_str(), R_OK | W_OK) != 0) return {PortState::Kind::NoAccess, {}};
  std::vector<PortHolder> holders = LockHolders(status);
  if (!holders.empty()) return {PortState::Kind::Busy, std::move(holders)};
  return {PortState::Kind::Free, {}};
}

std::string PortTroubleHint(const std::string& portName) {
  if (portName.empty()) return "kx14ctl doctor explains why a device may be missing";
  return "try kx14ctl doctor --port " + portName;
}

}  // namespace kx14::cli
