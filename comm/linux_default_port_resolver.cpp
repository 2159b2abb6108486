#include "comm/default_port_resolver.h"

#include "comm/linux_serial_device.h"
#include "ports/com_ports.h"

namespace kx14 {

std::optional<std::filesystem::path> DefaultResolvePort(int portNo) {
  return ResolveComPort(portNo, DefaultPortSources());
}

std::unique_ptr<SerialDevice> OpenDefaultDevice(const std::filesystem::path& path) {
  return OpenLinuxSerialDevice(path);
}

}  // namespace kx14
