// Windows: "COM<n>" is the device "\\.\COM<n>".
#include "comm/default_port_resolver.h"
#include "comm/win32_serial_device.h"
#include "ports/com_ports.h"

namespace kx14 {

std::optional<std::filesystem::path> DefaultResolvePort(int portNo) {
  return ResolveComPort(portNo, DefaultPortSources());
}

std::unique_ptr<SerialDevice> OpenDefaultDevice(const std::filesystem::path& path) {
  return OpenWin32SerialDevice(path);
}

}  // namespace kx14
