#include "comm/win32/port_reader.h"

#include <algorithm>

namespace kx14 {

WaitObject Win32PortReader::InputWait() {
  std::lock_guard lock(mutex_);
  if (!lookahead_.pending && !held_) StartLookahead();
  return {reinterpret_cast<std::intptr_t>(lookahead_.Event())};
}

IoResult Win32PortReader::Read(std::uint8_t* buffer, std::size_t count) {
  std::lock_guard lock(mutex_);
  std::size_t got = 0;
  if (count == 0) return {IoResult::Status::kDone, 0};
  if (const IoResult ahead = CollectLookahead(); ahead.status != IoResult::Status::kDone) {
    return ahead;
  }
  if (held_) {
    buffer[got++] = lookaheadByte_;
    held_ = false;
  }
  COMSTAT status{};
  if (!status_.Query(status)) {
    return got > 0 ? IoResult{IoResult::Status::kDone, got} : FailureOf(GetLastError());
  }
  const DWORD waiting = std::min<DWORD>(status.cbInQue, static_cast<DWORD>(count - got));
  if (waiting > 0) got += ReadWaiting(buffer + got, waiting);
  if (got == 0) return {IoResult::Status::kWouldBlock, 0};
  return {IoResult::Status::kDone, got};
}

void Win32PortReader::Purge() {
  std::lock_guard lock(mutex_);
  lookahead_.CancelAndWait(port_);
  held_ = false;
  PurgeComm(port_, PURGE_RXABORT | PURGE_RXCLEAR);
}

std::int32_t Win32PortReader::InputCount() {
  std::int32_t held = 0;
  {
    std::lock_guard lock(mutex_);
    CollectLookahead();
    held = held_ ? 1 : 0;
  }
  return held + static_cast<std::int32_t>(status_.InputQueue());
}

bool Win32PortReader::HoldsByte() {
  std::lock_guard lock(mutex_);
  CollectLookahead();
  return held_;
}

void Win32PortReader::Cancel() {
  std::lock_guard lock(mutex_);
  lookahead_.CancelAndWait(port_);
  reader_.CancelAndWait(port_);
}

void Win32PortReader::StartLookahead() {
  if (ReadFile(port_, &lookaheadByte_, 1, nullptr, lookahead_.Prepare()) ||
      GetLastError() == ERROR_IO_PENDING) {
    lookahead_.pending = true;
    return;
  }
  SetEvent(lookahead_.Event());  // failed: the waiter wakes and Read finds out why
}

// A finished look-ahead leaves its byte held for the next Read. kWouldBlock
// while it is still in flight, since the first byte to arrive goes to it.
IoResult Win32PortReader::CollectLookahead() {
  if (!lookahead_.pending) return {IoResult::Status::kDone, 0};
  const auto result = lookahead_.Poll(port_);
  if (!result.done) return {IoResult::Status::kWouldBlock, 0};
  if (!result.ok) return FailureOf(result.error);
  held_ = result.bytes == 1;
  return {IoResult::Status::kDone, 0};
}

// Reads bytes the input queue already holds, so the read ends at once.
std::size_t Win32PortReader::ReadWaiting(std::uint8_t* buffer, DWORD count) {
  if (!ReadFile(port_, buffer, count, nullptr, reader_.Prepare()) &&
      GetLastError() != ERROR_IO_PENDING) {
    return 0;
  }
  reader_.pending = true;
  return reader_.Wait(port_).bytes;
}

}  // namespace kx14
