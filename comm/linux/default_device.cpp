#include "comm/default_device.h"

#include "comm/linux/serial_device.h"

namespace kx14 {

std::unique_ptr<SerialDevice> OpenDefaultDevice(const std::filesystem::path& path) {
  return OpenLinuxSerialDevice(path);
}

}  // namespace kx14
