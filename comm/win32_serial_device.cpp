#include "comm/win32_serial_device.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "comm/comm_messages.h"
#include "comm/win32_overlapped.h"

namespace kx14 {
namespace {

static_assert(sizeof(DCB) == sizeof(Dcb), "the component's control block is the Win32 DCB");

// Native time-outs of the open port: none, so the one-byte look-ahead read
// waits as long as the line is silent. The component's own time-outs are
// kept as values and applied by its read and write plans, as on Linux.
constexpr COMMTIMEOUTS kNoTimeouts{0, 0, 0, 0, 0};
// A comm-event wait that ends with an error and no new input (Wine on a
// pseudo-terminal) is started again after this pause, not at once.
constexpr DWORD kEventRetryMs = 10;

bool IsGone(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_BAD_COMMAND ||
         error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_INVALID_HANDLE;
}

IoResult Failure(DWORD error) {
  return {IsGone(error) ? IoResult::Status::kHungUp : IoResult::Status::kFailed, 0};
}

class Win32SerialDevice final : public SerialDevice {
 public:
  Win32SerialDevice(HANDLE port, HANDLE lock, const DCB& dcb, const COMMTIMEOUTS& timeouts)
      : port_(port), lock_(lock), originalDcb_(dcb), originalTimeouts_(timeouts) {
    watchChanged_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (watchChanged_ == nullptr) throw std::bad_alloc();
  }

  // The workers are joined before the last owner lets go, so nothing else
  // runs here. Every operation in flight is ended before its buffer goes.
  ~Win32SerialDevice() override {
    SetCommMask(port_, 0);
    events_.CancelAndWait(port_);
    lookahead_.CancelAndWait(port_);
    writer_.CancelAndWait(port_);
    SetCommState(port_, const_cast<DCB*>(&originalDcb_));
    SetCommTimeouts(port_, const_cast<COMMTIMEOUTS*>(&originalTimeouts_));
    CloseHandle(port_);
    CloseHandle(watchChanged_);
    CloseHandle(lock_);
  }

  Win32SerialDevice(const Win32SerialDevice&) = delete;
  Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

  // Ready when a byte has arrived: a one-byte read stays in flight until one
  // does, and Read takes that byte first.
  WaitObject InputWait() override {
    std::lock_guard lock(readMutex_);
    if (!lookahead_.pending && !held_) StartLookahead();
    return {reinterpret_cast<std::intptr_t>(lookahead_.Event())};
  }

  std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(port_); }

  bool GetState(Dcb& dcb) override {
    DCB native{};
    native.DCBlength = sizeof native;
    if (!GetCommState(port_, &native)) return false;
    std::memcpy(static_cast<void*>(&dcb), &native, sizeof dcb);
    return true;
  }

  bool SetState(const Dcb& dcb) override {
    DCB native{};
    std::memcpy(&native, &dcb, sizeof native);
    native.DCBlength = sizeof native;
    return SetCommState(port_, &native) != FALSE;
  }

  bool SetTimeouts(const CommTimeouts& timeouts) override {
    std::lock_guard lock(statusMutex_);
    timeouts_ = timeouts;
    return true;
  }

  CommTimeouts Timeouts() const override {
    std::lock_guard lock(statusMutex_);
    return timeouts_;
  }

  bool SetQueueSizes(std::int32_t input, std::int32_t output) override {
    if (input <= 0 || output <= 0) return false;
    return SetupComm(port_, static_cast<DWORD>(input), static_cast<DWORD>(output)) != FALSE;
  }

  // A write the driver has taken counts as done: its bytes are copied into
  // the device's own buffer, and the next write waits until it has finished.
  IoResult Write(const std::uint8_t* data, std::size_t count) override {
    std::lock_guard lock(writeMutex_);
    if (writer_.pending && !writer_.Poll(port_).done) return {IoResult::Status::kWouldBlock, 0};
    if (count == 0) return {IoResult::Status::kDone, 0};
    outBuffer_.assign(data, data + count);
    if (WriteFile(port_, outBuffer_.data(), static_cast<DWORD>(count), nullptr, writer_.Prepare())) {
      writer_.pending = true;  // finished; Poll collects it
      const auto result = writer_.Poll(port_);
      return {IoResult::Status::kDone, result.done ? result.bytes : count};
    }
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) return Failure(error);
    writer_.pending = true;
    return {IoResult::Status::kDone, count};
  }

  IoResult Read(std::uint8_t* buffer, std::size_t count) override {
    std::lock_guard lock(readMutex_);
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
    if (!QueryStatus(status)) {
      return got > 0 ? IoResult{IoResult::Status::kDone, got} : Failure(GetLastError());
    }
    const DWORD waiting = std::min<DWORD>(status.cbInQue, static_cast<DWORD>(count - got));
    if (waiting > 0) got += ReadWaiting(buffer + got, waiting);
    if (got == 0) return {IoResult::Status::kWouldBlock, 0};
    return {IoResult::Status::kDone, got};
  }

  void PurgeInput() override {
    std::lock_guard lock(readMutex_);
    lookahead_.CancelAndWait(port_);
    held_ = false;
    PurgeComm(port_, PURGE_RXABORT | PURGE_RXCLEAR);
  }

  void PurgeOutput() override {
    PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR);
    std::lock_guard lock(writeMutex_);
    writer_.CancelAndWait(port_);
  }

  // Refused on a pseudo-terminal under Wine, as the modem lines are on
  // Linux: the result is not needed.
  void SetRts(bool on) override { EscapeCommFunction(port_, on ? SETRTS : CLRRTS); }
  void SetDtr(bool on) override { EscapeCommFunction(port_, on ? SETDTR : CLRDTR); }

  std::int32_t InputCount() override {
    std::int32_t held = 0;
    {
      std::lock_guard lock(readMutex_);
      CollectLookahead();
      held = held_ ? 1 : 0;
    }
    COMSTAT status{};
    if (!QueryStatus(status)) return held;
    return held + static_cast<std::int32_t>(status.cbInQue);
  }

  std::int32_t OutputCount() override {
    COMSTAT status{};
    return QueryStatus(status) ? static_cast<std::int32_t>(status.cbOutQue) : 0;
  }

  LineEvents TakeLineEvents() override {
    COMSTAT status{};
    QueryStatus(status);
    std::lock_guard lock(statusMutex_);
    LineEvents events;
    events.errorBits = errors_ & (kCeRxOver | kReportedLineErrors);
    events.breaks = (errors_ & kCeBreak) != 0 ? 1 : 0;
    errors_ = 0;
    return events;
  }

  // WaitForMultipleObjects takes the wake event at each wait: nothing to join.
  void PrepareEventWait(WakeSignal&) override {}

  PortWake WaitForEvent(WakeSignal& wake) override {
    const HANDLE wakeEvent = reinterpret_cast<HANDLE>(wake.Handle().native);
    for (;;) {
      // While a Read takes the input itself, no comm-event wait is started
      // (one already in flight is still collected): arrivals then wake only
      // the reading thread, as on Linux.
      if (watching_.load() && !events_.pending && !StartEventWait()) {
        return WaitAfterFailure(wakeEvent);
      }
      const HANDLE handles[] = {wakeEvent, watchChanged_, events_.Event()};
      const DWORD count = events_.pending ? 3 : 2;
      const DWORD which = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
      if (which == WAIT_OBJECT_0) {
        wake.Drain();
        return {.woken = true};
      }
      if (which == WAIT_OBJECT_0 + 1) {
        if (watching_.load() && InputCount() > 0) return {.received = true};
        continue;
      }
      const auto result = events_.Poll(port_);
      if (!result.done) continue;
      if (const auto wakeUp = TakeEvent(result, wakeEvent)) return *wakeUp;
    }
  }

  void WatchInput(bool on) override {
    watching_ = on;
    if (on) SetEvent(watchChanged_);
  }

  bool KeepsLineCounters() override { return true; }

  WaitOutcome WaitWritable(WakeSignal& wake,
                           std::optional<std::chrono::milliseconds> timeout) override {
    HANDLE written;
    {
      std::lock_guard lock(writeMutex_);
      if (!writer_.pending || writer_.Poll(port_).done) return WaitOutcome::kReady;
      written = writer_.Event();
    }
    const HANDLE handles[] = {reinterpret_cast<HANDLE>(wake.Handle().native), written};
    const DWORD ms = timeout ? static_cast<DWORD>(std::max<std::int64_t>(0, timeout->count()))
                             : INFINITE;
    const DWORD which = WaitForMultipleObjects(2, handles, FALSE, ms);
    if (which == WAIT_OBJECT_0) return WaitOutcome::kWoken;
    if (which == WAIT_OBJECT_0 + 1) return WaitOutcome::kReady;
    return WaitOutcome::kTimedOut;
  }

 private:
  // ClearCommError, keeping the error word for TakeLineEvents: every caller
  // clears the port's error state, and none may lose it.
  bool QueryStatus(COMSTAT& status) {
    DWORD errors = 0;
    const bool ok = ClearCommError(port_, &errors, &status) != FALSE;
    std::lock_guard lock(statusMutex_);
    errors_ |= errors;
    return ok;
  }

  void StartLookahead() {
    if (ReadFile(port_, &lookaheadByte_, 1, nullptr, lookahead_.Prepare()) ||
        GetLastError() == ERROR_IO_PENDING) {
      lookahead_.pending = true;
      return;
    }
    SetEvent(lookahead_.Event());  // failed: the waiter wakes and Read finds out why
  }

  // A finished look-ahead leaves its byte held for the next Read (under
  // readMutex_). kWouldBlock while it is still in flight, since the first
  // byte to arrive goes to it.
  IoResult CollectLookahead() {
    if (!lookahead_.pending) return {IoResult::Status::kDone, 0};
    const auto result = lookahead_.Poll(port_);
    if (!result.done) return {IoResult::Status::kWouldBlock, 0};
    if (!result.ok) return Failure(result.error);
    held_ = result.bytes == 1;
    return {IoResult::Status::kDone, 0};
  }

  // Reads bytes the input queue already holds, so the read ends at once.
  std::size_t ReadWaiting(std::uint8_t* buffer, DWORD count) {
    if (!ReadFile(port_, buffer, count, nullptr, reader_.Prepare()) &&
        GetLastError() != ERROR_IO_PENDING) {
      return 0;
    }
    reader_.pending = true;
    return reader_.Wait(port_).bytes;
  }

  bool StartEventWait() {
    armedQueue_ = RawInputCount();
    eventMask_ = 0;
    if (WaitCommEvent(port_, &eventMask_, events_.Prepare())) {
      events_.pending = true;  // already happened; Poll collects it
      SetEvent(events_.Event());
      return true;
    }
    if (GetLastError() != ERROR_IO_PENDING) return false;
    events_.pending = true;
    return true;
  }

  // Windows reports the events in the mask. Wine ends the wait on a
  // pseudo-terminal with an error and an empty mask when input arrives, so
  // there input counts as received when the queue grew.
  std::optional<PortWake> TakeEvent(const Win32Overlapped::Result& result, HANDLE wakeEvent) {
    bool received = false;
    bool line = false;
    if (result.ok && eventMask_ != 0) {
      received = (eventMask_ & EV_RXCHAR) != 0;
      line = (eventMask_ & (EV_BREAK | EV_ERR)) != 0;
    } else {
      received = RawInputCount() > armedQueue_;
      if (!received && WaitForSingleObject(wakeEvent, kEventRetryMs) == WAIT_OBJECT_0) {
        ResetEvent(wakeEvent);
        return PortWake{.woken = true};
      }
    }
    if (received && !watching_.load()) received = false;
    if (!received && !line) return std::nullopt;
    return PortWake{.received = received};
  }

  PortWake WaitAfterFailure(HANDLE wakeEvent) {
    COMSTAT status{};
    if (!QueryStatus(status)) {
      WaitForSingleObject(wakeEvent, INFINITE);  // the port is gone: only a wake-up is left
      ResetEvent(wakeEvent);
      return {.hungUp = true, .woken = true};
    }
    const bool woken = WaitForSingleObject(wakeEvent, kEventRetryMs) == WAIT_OBJECT_0;
    if (woken) ResetEvent(wakeEvent);
    return {.received = watching_.load() && status.cbInQue > 0, .woken = woken};
  }

  DWORD RawInputCount() {
    COMSTAT status{};
    return QueryStatus(status) ? status.cbInQue : 0;
  }

  const HANDLE port_;
  const HANDLE lock_;
  const DCB originalDcb_;
  const COMMTIMEOUTS originalTimeouts_;
  HANDLE watchChanged_ = nullptr;  // auto-reset: WatchInput(true) wakes the event wait
  std::atomic<bool> watching_{true};

  mutable std::mutex statusMutex_;  // guards timeouts_ and errors_
  CommTimeouts timeouts_;
  DWORD errors_ = 0;

  std::mutex readMutex_;  // guards the look-ahead and the reader
  Win32Overlapped lookahead_;
  Win32Overlapped reader_;
  std::uint8_t lookaheadByte_ = 0;
  bool held_ = false;

  std::mutex writeMutex_;  // guards the writer and its buffer
  Win32Overlapped writer_;
  std::vector<std::uint8_t> outBuffer_;

  // The receive worker's own (only it waits for port events).
  Win32Overlapped events_;
  DWORD eventMask_ = 0;
  DWORD armedQueue_ = 0;
};

HANDLE TakePortLock(const std::filesystem::path& path) {
  HANDLE lock = CreateMutexW(nullptr, FALSE, PortLockName(path).c_str());
  if (lock != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(lock);
    return nullptr;
  }
  return lock;
}

}  // namespace

std::wstring PortLockName(const std::filesystem::path& path) {
  std::wstring name = path.wstring();
  name = name.substr(name.find_last_of(L"\\/") + 1);
  std::transform(name.begin(), name.end(), name.begin(), ::towupper);
  return L"Local\\kx14-manager-port-" + name;
}

std::unique_ptr<SerialDevice> OpenWin32SerialDevice(const std::filesystem::path& path) {
  const HANDLE port = CreateFileW(path.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (port == INVALID_HANDLE_VALUE) return nullptr;
  const HANDLE lock = TakePortLock(path);
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  COMMTIMEOUTS timeouts{};
  COMMTIMEOUTS none = kNoTimeouts;
  if (lock == nullptr || !GetCommState(port, &dcb) || !GetCommTimeouts(port, &timeouts) ||
      !SetCommTimeouts(port, &none) || !SetCommMask(port, EV_RXCHAR | EV_BREAK | EV_ERR)) {
    if (lock != nullptr) CloseHandle(lock);
    CloseHandle(port);
    return nullptr;
  }
  try {
    return std::make_unique<Win32SerialDevice>(port, lock, dcb, timeouts);
  } catch (const std::exception&) {
    CloseHandle(lock);
    CloseHandle(port);
    return nullptr;
  }
}

}  // namespace kx14
