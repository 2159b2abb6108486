#include "ports/com_ports.h"

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

#include "ports/detected_ports.h"
#include "ports/port_name_order.h"
#include "ports/user_ports.h"

namespace kx14 {
namespace {

// Names that convert come first, by number; the rest after them, by name.
bool UserPortLess(const UserPort& a, const UserPort& b) {
  const auto numberA = TryPortNameNumber(a.name);
  const auto numberB = TryPortNameNumber(b.name);
  return std::make_tuple(!numberA.has_value(), numberA.value_or(0), std::cref(a.name)) <
         std::make_tuple(!numberB.has_value(), numberB.value_or(0), std::cref(b.name));
}

std::set<std::int32_t> NumbersHeld(const std::vector<ComPort>& ports) {
  std::set<std::int32_t> held;
  for (const ComPort& port : ports) {
    if (const auto number = TryPortNameNumber(port.name)) held.insert(*number);
  }
  return held;
}

std::vector<ComPort> UserDefinedPorts(const PortSources& sources) {
  std::vector<UserPort> entries = ListUserPorts(sources.portsDir);
  std::sort(entries.begin(), entries.end(), UserPortLess);
  std::vector<ComPort> ports;
  ports.reserve(entries.size());
  for (UserPort& entry : entries) ports.push_back({entry.name, entry.entry, true});
  return ports;
}

// Detected ttys take COM1, COM2, ... in order, stepping over held numbers.
void AppendDetectedPorts(const PortSources& sources, std::vector<ComPort>& ports) {
  const std::set<std::int32_t> held = NumbersHeld(ports);
  std::int32_t next = 1;
  for (const std::string& tty : DetectSerialTtys(sources.sysfsRoot)) {
    while (held.count(next) != 0) ++next;
    ports.push_back({ComPortName(next), TtyDevicePath(tty), false});
    ++next;
  }
}

}  // namespace

std::string ComPortName(std::int32_t n) { return "COM" + std::to_string(n); }

std::vector<ComPort> ListComPorts(const PortSources& sources) {
  std::vector<ComPort> ports = UserDefinedPorts(sources);
  AppendDetectedPorts(sources, ports);
  return ports;
}

std::vector<std::string> ListComPortNames(const PortSources& sources) {
  std::vector<std::string> names;
  for (ComPort& port : ListComPorts(sources)) names.push_back(std::move(port.name));
  return names;
}

std::optional<std::filesystem::path> ResolveComPort(int portNo, const PortSources& sources) {
  const std::string wanted = ComPortName(portNo);
  for (const ComPort& port : ListComPorts(sources)) {
    if (port.name == wanted) return port.device;
  }
  return std::nullopt;
}

std::int32_t FirstFreeComNumber(const PortSources& sources) {
  const std::set<std::int32_t> held = NumbersHeld(ListComPorts(sources));
  std::int32_t n = 1;
  while (held.count(n) != 0 || UserPortEntryExists(sources.portsDir, ComPortName(n))) ++n;
  return n;
}

}  // namespace kx14
