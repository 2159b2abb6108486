#pragma once

// The serial device on Windows: "\\.\COM<n>" opened for overlapped I/O and
// driven through the Win32 communications API.

#include <filesystem>
#include <memory>
#include <string>

#include "comm/serial_device.h"

namespace kx14 {

// Opens `path` ("\\.\COM3") exclusively for overlapped reads and writes and
// takes a per-port lock of this machine's session: Windows refuses a second
// opener by itself, Wine does not for a port linked to a pseudo-terminal, and
// the lock keeps two of our programs (or two components) apart there too.
// Nothing when the port does not exist, is held, or is not a serial port;
// then nothing stays open.
std::unique_ptr<SerialDevice> OpenWin32SerialDevice(const std::filesystem::path& path);

// The name of that per-port lock (a named mutex): it exists while one of our
// programs has the port open, which is how a port list tells such a port busy
// under Wine.
std::wstring PortLockName(const std::filesystem::path& path);

}  // namespace kx14
