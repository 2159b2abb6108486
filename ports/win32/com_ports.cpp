// The port list on Windows: the registry's SERIALCOMM names. PortSources (the
// Linux ports directory and sysfs) has no meaning here and is ignored, so the
// window and the command line use the same calls on both platforms.
#include <set>

#include "ports/com_ports.h"
#include "ports/port_name_order.h"
#include "ports/win32/serialcomm.h"

namespace kx14 {

PortSources DefaultPortSources() { return {}; }

std::string ComPortName(std::int32_t n) { return "COM" + std::to_string(n); }

std::vector<std::string> ListComPortNames(const PortSources&) {
  return ListRegistryPortNames(RegistryRoot::kLocalMachine, kSerialCommKey);
}

std::vector<ComPort> ListComPorts(const PortSources& sources) {
  std::vector<ComPort> ports;
  for (std::string& name : ListComPortNames(sources)) {
    std::filesystem::path device = "\\\\.\\" + name;
    ports.push_back({std::move(name), std::move(device), false});
  }
  return ports;
}

// Any COM number opens "\\.\COM<n>" whether or not a driver listed it, as the
// device path rule says; a number that names no device fails in CreateFile.
std::optional<std::filesystem::path> ResolveComPort(int portNo, const PortSources&) {
  return std::filesystem::path("\\\\.\\" + ComPortName(portNo));
}

std::int32_t FirstFreeComNumber(const PortSources& sources) {
  std::set<std::int32_t> held;
  for (const std::string& name : ListComPortNames(sources)) {
    if (const auto number = TryPortNameNumber(name)) held.insert(*number);
  }
  std::int32_t n = 1;
  while (held.count(n) != 0) ++n;
  return n;
}

}  // namespace kx14
