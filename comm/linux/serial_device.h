#pragma once

// The serial device on Linux: a tty (a real port, a USB adapter or a pty)
// opened exclusively and driven through termios2 and ioctls.

#include <filesystem>
#include <memory>

#include "comm/serial_device.h"

namespace kx14 {

// Opens `path` with O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, takes a
// non-blocking exclusive flock (a port held by another program or another
// component of this process is busy) and sets TIOCEXCL. Nothing when the path
// does not exist, is busy, or is not a terminal; then nothing stays open.
// Adapter attributes are looked up below `sysfsRoot`.
std::unique_ptr<SerialDevice> OpenLinuxSerialDevice(const std::filesystem::path& path,
                                                     const std::filesystem::path& sysfsRoot = "/sys");

}  // namespace kx14
