#pragma once

// The port's output side on Windows: one overlapped write at a time, from a
// buffer of its own. A write the driver has taken returns at once as done; its
// outcome is collected before the next write starts, and a write that failed
// in flight is reported then (by Write or WaitWritable), once, so its loss is
// never passed over. Thread-safe.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "comm/serial_device.h"
#include "comm/wake_signal.h"
#include "comm/win32/overlapped.h"

namespace kx14 {

class Win32PortWriter {
 public:
  // `port` is any handle opened for overlapped I/O; the writer does not own it.
  explicit Win32PortWriter(HANDLE port) : port_(port) {}

  // kWouldBlock while the previous write is in flight; its failure, when it
  // failed, instead of starting this one: nothing of `data` is taken then, as
  // a failed write on Linux drops the rest of its chunk.
  IoResult Write(const std::uint8_t* data, std::size_t count);
  // Ready when no write is in flight; kHungUp when the one that was failed
  // because the port went away (any other failure is kept for the next Write).
  WaitOutcome WaitWritable(WakeSignal& wake, std::optional<std::chrono::milliseconds> timeout);
  // Discards the driver's output and ends the write in flight; a write ended
  // so failed on purpose and is not reported.
  void Purge();
  // Ends the write in flight and waits until the system lets go of its
  // buffer (before the port closes).
  void Cancel();

 private:
  // Collects a finished write (under mutex_): false while it is in flight.
  bool Collect();
  // What a wait that found no write in flight reports (under mutex_).
  WaitOutcome Outcome();

  const HANDLE port_;
  std::mutex mutex_;  // guards everything below
  Win32Overlapped write_;
  std::vector<std::uint8_t> buffer_;
  std::optional<DWORD> failed_;  // the error of a write that failed in flight
};

}  // namespace kx14
