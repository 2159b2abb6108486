#include "comm/win32/overlapped.h"

#include <system_error>

namespace kx14 {

Win32Overlapped::Win32Overlapped() {
  overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (overlapped_.hEvent == nullptr) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "CreateEvent");
  }
}

Win32Overlapped::~Win32Overlapped() { CloseHandle(overlapped_.hEvent); }

OVERLAPPED* Win32Overlapped::Prepare() {
  HANDLE event = overlapped_.hEvent;
  overlapped_ = OVERLAPPED{};
  overlapped_.hEvent = event;
  ResetEvent(event);
  return &overlapped_;
}

namespace {
Win32Overlapped::Result Finish(HANDLE port, OVERLAPPED* overlapped, BOOL wait, bool& pending) {
  Win32Overlapped::Result result;
  DWORD bytes = 0;
  const BOOL ok = GetOverlappedResult(port, overlapped, &bytes, wait);
  const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
  if (!ok && error == ERROR_IO_INCOMPLETE) return result;
  pending = false;
  result.done = true;
  result.ok = ok || error == ERROR_TIMEOUT;
  result.bytes = bytes;
  result.error = error;
  return result;
}
}  // namespace

Win32Overlapped::Result Win32Overlapped::Poll(HANDLE port) {
  if (!pending) return {};
  return Finish(port, &overlapped_, FALSE, pending);
}

Win32Overlapped::Result Win32Overlapped::Wait(HANDLE port) {
  if (!pending) return {};
  return Finish(port, &overlapped_, TRUE, pending);
}

void Win32Overlapped::RequestCancel(HANDLE port) { CancelIoEx(port, &overlapped_); }

Win32Overlapped::Result Win32Overlapped::CancelAndWait(HANDLE port) {
  if (!pending) return {};
  CancelIoEx(port, &overlapped_);
  return Wait(port);
}

}  // namespace kx14
