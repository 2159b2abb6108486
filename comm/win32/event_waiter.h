#pragma once

// The receive worker's wait for port events on Windows: a comm-event wait
// (WaitCommEvent) in flight together with the worker's wake signal. Windows
// reports the events of the mask; Wine ends the wait on a pseudo-terminal
// with an error and an empty mask when input arrives, so there input counts
// as received when the driver's queue grew since the wait started. Wait is
// for one thread; SetWatching and Cancel are safe from any.

#include <windows.h>

#include <atomic>
#include <optional>

#include "comm/serial_device.h"
#include "comm/wake_signal.h"
#include "comm/win32/overlapped.h"
#include "comm/win32/port_reader.h"
#include "comm/win32/port_status.h"

namespace kx14 {

class Win32EventWaiter {
 public:
  // Throws std::bad_alloc when its event cannot be made.
  Win32EventWaiter(HANDLE port, Win32PortStatus& status, Win32PortReader& reader);
  ~Win32EventWaiter();
  Win32EventWaiter(const Win32EventWaiter&) = delete;
  Win32EventWaiter& operator=(const Win32EventWaiter&) = delete;

  // Blocks until input arrives (once per arrival), the port is gone, or
  // `wake` fires.
  PortWake Wait(WakeSignal& wake);
  // Stops or resumes input reports; resuming wakes the wait, which reports
  // input already waiting.
  void SetWatching(bool on);
  // Ends the comm-event wait in flight; the owner calls it before the port
  // closes (the destructor does not, as the port is gone by then).
  void Cancel();

 private:
  bool StartEventWait();
  std::optional<PortWake> TakeEvent(const Win32Overlapped::Result& result, HANDLE wakeEvent);
  PortWake WaitAfterFailure(HANDLE wakeEvent);

  const HANDLE port_;
  Win32PortStatus& status_;
  Win32PortReader& reader_;
  HANDLE watchChanged_ = nullptr;  // auto-reset: SetWatching(true) wakes the wait
  std::atomic<bool> watching_{true};
  Win32Overlapped events_;
  DWORD eventMask_ = 0;
  DWORD armedQueue_ = 0;  // the input queue when the wait started
  bool firstWait_ = true;  // no comm-event wait started on this port yet
};

}  // namespace kx14
