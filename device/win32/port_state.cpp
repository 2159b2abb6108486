// Port states on Windows. Nothing tells which process holds a COM port, so
// the port is opened the way the component opens it and closed at once: a
// port that another program holds refuses the opening.
#include <windows.h>

#include "device/port_state.h"
#include "comm/win32/serial_device.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

// One of our programs has the port: its lock exists. Wine lets a second
// opener of a port linked to a pseudo-terminal in, so this is the only sign
// there.
bool HeldByOurProgram(const fs::path& device) {
  const HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, PortLockName(device).c_str());
  if (lock == nullptr) return false;
  CloseHandle(lock);
  return true;
}

PortState::Kind KindOfOpenFailure(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:  // what Windows answers for a COM port that is open
    case ERROR_SHARING_VIOLATION:
      return PortState::Kind::Busy;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return PortState::Kind::Missing;
    default:
      return PortState::Kind::NoAccess;
  }
}

}  // namespace

PortState ProbePortState(const fs::path& device) {
  if (HeldByOurProgram(device)) return {PortState::Kind::Busy, {}};
  const HANDLE port = CreateFileW(device.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (port == INVALID_HANDLE_VALUE) return {KindOfOpenFailure(GetLastError()), {}};
  CloseHandle(port);
  return {PortState::Kind::Free, {}};
}

std::string PortTroubleHint(const std::string&) {
  return "the Device Manager lists the adapters under Ports (COM & LPT)";
}

}  // namespace kx14::cli
