#pragma once

// The machine's own mapping from COM numbers to devices, and the platform's
// way of opening one.

#include <filesystem>
#include <memory>
#include <optional>

#include "comm/serial_device.h"

namespace kx14 {

// ResolveComPort(portNo, DefaultPortSources()).
std::optional<std::filesystem::path> DefaultResolvePort(int portNo);

// The platform's serial device for a path (Linux: opened exclusively).
std::unique_ptr<SerialDevice> OpenDefaultDevice(const std::filesystem::path& path);

}  // namespace kx14
