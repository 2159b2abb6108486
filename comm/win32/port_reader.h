#pragma once

// The port's input side on Windows. A one-byte read stays in flight while the
// line is silent, so that its event is something the window's thread can wait
// on with its messages (the input wait); Read hands that byte on first, then
// what the driver's queue holds, and never blocks. Thread-safe.

#include <windows.h>

#include <cstdint>
#include <mutex>

#include "comm/serial_device.h"
#include "comm/wait_object.h"
#include "comm/win32/overlapped.h"
#include "comm/win32/port_status.h"

namespace kx14 {

class Win32PortReader {
 public:
  Win32PortReader(HANDLE port, Win32PortStatus& status) : port_(port), status_(status) {}

  // Signalled when a byte has arrived (or the look-ahead read failed: the
  // next Read says why). Starts the look-ahead read when none is in flight.
  WaitObject InputWait();
  // What has arrived, up to `count` bytes: kWouldBlock when nothing has.
  IoResult Read(std::uint8_t* buffer, std::size_t count);
  // Ends the look-ahead read and empties the driver's input queue: a pending
  // read ends here even where the driver's own purge would leave it waiting.
  void Purge();
  // Bytes a Read would take now.
  std::int32_t InputCount();
  // Whether the look-ahead read holds a byte (no query of the driver).
  bool HoldsByte();
  // Ends the read in flight and waits until the system lets go of its byte.
  void Cancel();

 private:
  void StartLookahead();
  IoResult CollectLookahead();
  std::size_t ReadWaiting(std::uint8_t* buffer, DWORD count);

  const HANDLE port_;
  Win32PortStatus& status_;
  std::mutex mutex_;  // guards everything below
  Win32Overlapped lookahead_;
  Win32Overlapped reader_;
  std::uint8_t lookaheadByte_ = 0;
  bool held_ = false;  // the look-ahead's byte, not yet handed on
};

}  // namespace kx14
