#pragma once

// The per-port lock of this machine's session: a named mutex that exists while
// one of our programs holds the port. Windows refuses a second opener of a
// port by itself; Wine does not for a port linked to a pseudo-terminal, and
// the lock keeps two of our programs (or two components) apart there too.

#include <windows.h>

#include <filesystem>
#include <string>

namespace kx14 {

// The lock's name for "\\.\COM3" (any case, either slash): one name per port.
std::wstring PortLockName(const std::filesystem::path& path);

// The lock, or nullptr when another holder has it (or it cannot be made).
HANDLE TakePortLock(const std::filesystem::path& path);

}  // namespace kx14
