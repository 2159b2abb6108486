#pragma once

// The serial device on Windows: "\\.\COM<n>" opened for overlapped I/O and
// driven through the Win32 communications API.

#include <filesystem>
#include <memory>
#include <string>

#include "comm/serial_device.h"
#include "comm/win32/port_lock.h"

namespace kx14 {

// Opens `path` ("\\.\COM3") exclusively for overlapped reads and writes and
// takes the per-port lock (port_lock.h), whose existence is how a port
// list tells a port held by one of our programs busy under Wine.
// Nothing when the port does not exist, is held, or is not a serial port;
// then nothing stays open.
std::unique_ptr<SerialDevice> OpenWin32SerialDevice(const std::filesystem::path& path);

}  // namespace kx14
