// Windows: the path is the device "\\.\COM<n>" that the port list resolved.
#include "comm/default_device.h"

#include "comm/win32/serial_device.h"

namespace kx14 {

std::unique_ptr<SerialDevice> OpenDefaultDevice(const std::filesystem::path& path) {
  return OpenWin32SerialDevice(path);
}

}  // namespace kx14
