#include "comm/win32/port_writer.h"

#include <algorithm>

#include "comm/win32/port_status.h"

namespace kx14 {

bool Win32PortWriter::Collect() {
  if (!write_.pending) return true;
  const Win32Overlapped::Result result = write_.Poll(port_);
  if (!result.done) return false;
  if (!result.ok) failed_ = result.error;
  return true;
}

IoResult Win32PortWriter::Write(const std::uint8_t* data, std::size_t count) {
  std::lock_guard lock(mutex_);
  if (!Collect()) return {IoResult::Status::kWouldBlock, 0};
  if (failed_) {
    const DWORD error = *failed_;
    failed_.reset();
    return FailureOf(error);
  }
  if (count == 0) return {IoResult::Status::kDone, 0};
  buffer_.assign(data, data + count);
  const DWORD size = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
  if (WriteFile(port_, buffer_.data(), size, nullptr, write_.Prepare())) {
    write_.pending = true;  // finished already: collect its count now
    const Win32Overlapped::Result result = write_.Poll(port_);
    if (result.done && !result.ok) return FailureOf(result.error);
    return {IoResult::Status::kDone, result.done ? result.bytes : size};
  }
  const DWORD error = GetLastError();
  if (error != ERROR_IO_PENDING) return FailureOf(error);
  write_.pending = true;
  return {IoResult::Status::kDone, size};
}

WaitOutcome Win32PortWriter::WaitWritable(WakeSignal& wake,
                                          std::optional<std::chrono::milliseconds> timeout) {
  HANDLE written;
  {
    std::lock_guard lock(mutex_);
    if (Collect()) return Outcome();
    written = write_.Event();
  }
  const HANDLE handles[] = {reinterpret_cast<HANDLE>(wake.Handle().native), written};
  const DWORD ms =
      timeout ? static_cast<DWORD>(std::max<std::int64_t>(0, timeout->count())) : INFINITE;
  const DWORD which = WaitForMultipleObjects(2, handles, FALSE, ms);
  if (which == WAIT_OBJECT_0) return WaitOutcome::kWoken;
  if (which != WAIT_OBJECT_0 + 1) return WaitOutcome::kTimedOut;
  std::lock_guard lock(mutex_);
  Collect();
  return Outcome();
}

WaitOutcome Win32PortWriter::Outcome() {
  if (!failed_ || !IsPortGone(*failed_)) return WaitOutcome::kReady;
  failed_.reset();  // reported here, as the hang-up it is
  return WaitOutcome::kHungUp;
}

void Win32PortWriter::Purge() {
  PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR);
  Cancel();
}

void Win32PortWriter::Cancel() {
  std::lock_guard lock(mutex_);
  write_.CancelAndWait(port_);
  failed_.reset();  // what was dropped on purpose is no failure to report
}

}  // namespace kx14
