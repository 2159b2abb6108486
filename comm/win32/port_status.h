#pragma once

// The port's queue counts and error word (ClearCommError). Every query clears
// the port's error state, so the error bits each one finds are kept here until
// TakeErrors hands them on: no caller may lose them. Thread-safe.

#include <windows.h>

#include <mutex>

#include "comm/serial_device.h"

namespace kx14 {

class Win32PortStatus {
 public:
  explicit Win32PortStatus(HANDLE port) : port_(port) {}

  // False when the port refused (it is gone); `status` is then unchanged.
  bool Query(COMSTAT& status);
  // Bytes waiting in the driver's input queue; 0 when the port refused.
  DWORD InputQueue();
  // The line events since the previous call, from the kept error bits.
  LineEvents TakeLineEvents();
  // Whether a query has kept error bits that TakeLineEvents would report.
  bool HoldsErrors();

 private:
  const HANDLE port_;
  std::mutex mutex_;  // guards errors_
  DWORD errors_ = 0;
};

// Whether a failed call's error means the port itself is gone (unplugged,
// closed under us) rather than one call going wrong.
bool IsPortGone(DWORD error);
IoResult FailureOf(DWORD error);

}  // namespace kx14
