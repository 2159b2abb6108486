#pragma once

// One overlapped operation on a port handle with its own manual-reset event:
// at most one in flight at a time. Not thread-safe; its owner locks.

#include <windows.h>

namespace kx14 {

class Win32Overlapped {
 public:
  Win32Overlapped();  // throws std::system_error when no event can be made
  ~Win32Overlapped();
  Win32Overlapped(const Win32Overlapped&) = delete;
  Win32Overlapped& operator=(const Win32Overlapped&) = delete;

  OVERLAPPED* Prepare();  // resets the event and the record for a new start
  HANDLE Event() const { return overlapped_.hEvent; }
  bool pending = false;  // started and not yet finished

  // The finished operation's result without waiting: nothing while it is
  // still in flight. A time-out of a read (ERROR_TIMEOUT under Wine, success
  // with a short count on Windows) is success with the bytes moved.
  struct Result {
    bool done = false;
    bool ok = false;
    DWORD bytes = 0;
    DWORD error = 0;
  };
  Result Poll(HANDLE port);
  // Waits until the operation has finished.
  Result Wait(HANDLE port);
  // Ends the operation (CancelIoEx) and waits until the system has let go of
  // its buffer.
  Result CancelAndWait(HANDLE port);
  // Asks the system to end the operation, from any thread, without waiting:
  // its owner collects the end as usual. Nothing when none is in flight.
  void RequestCancel(HANDLE port);

 private:
  OVERLAPPED overlapped_{};
};

}  // namespace kx14
