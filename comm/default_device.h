#pragma once

// The platform's way of opening a serial device by its path.

#include <filesystem>
#include <memory>

#include "comm/serial_device.h"

namespace kx14 {

// The platform's serial device for a path (Linux: opened exclusively).
std::unique_ptr<SerialDevice> OpenDefaultDevice(const std::filesystem::path& path);

}  // namespace kx14
