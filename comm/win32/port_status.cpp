#include "comm/win32/port_status.h"

#include "comm/comm_messages.h"

namespace kx14 {

bool Win32PortStatus::Query(COMSTAT& status) {
  DWORD errors = 0;
  COMSTAT now{};
  const bool ok = ClearCommError(port_, &errors, &now) != FALSE;
  std::lock_guard lock(mutex_);
  errors_ |= errors;
  if (ok) status = now;
  return ok;
}

DWORD Win32PortStatus::InputQueue() {
  COMSTAT status{};
  return Query(status) ? status.cbInQue : 0;
}

LineEvents Win32PortStatus::TakeLineEvents() {
  COMSTAT status{};
  Query(status);
  std::lock_guard lock(mutex_);
  LineEvents events;
  events.errorBits = errors_ & (kCeRxOver | kReportedLineErrors);
  events.breaks = (errors_ & kCeBreak) != 0 ? 1 : 0;
  errors_ = 0;
  return events;
}

bool Win32PortStatus::HoldsErrors() {
  std::lock_guard lock(mutex_);
  return errors_ != 0;
}

bool IsPortGone(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_BAD_COMMAND ||
         error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_INVALID_HANDLE;
}

IoResult FailureOf(DWORD error) {
  return {IsPortGone(error) ? IoResult::Status::kHungUp : IoResult::Status::kFailed, 0};
}

}  // namespace kx14
