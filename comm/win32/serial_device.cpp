#include "comm/win32/serial_device.h"

#include <windows.h>

#include <mutex>

#include "comm/win32/comm_state.h"
#include "comm/win32/event_waiter.h"
#include "comm/win32/port_lock.h"
#include "comm/win32/port_reader.h"
#include "comm/win32/port_status.h"
#include "comm/win32/port_writer.h"

namespace kx14 {
namespace {

// Native time-outs of the open port: none, so the one-byte look-ahead read
// waits as long as the line is silent. The component's own time-outs are
// kept as values and applied by its read and write plans, as on Linux.
constexpr COMMTIMEOUTS kNoTimeouts{0, 0, 0, 0, 0};

class Win32SerialDevice final : public SerialDevice {
 public:
  Win32SerialDevice(HANDLE port, HANDLE lock, const DCB& dcb, const COMMTIMEOUTS& timeouts)
      : port_(port), lock_(lock), originalDcb_(dcb), originalTimeouts_(timeouts) {}

  // The workers are joined before the last owner lets go, so nothing else
  // runs here. Every operation in flight is ended before its buffer goes.
  ~Win32SerialDevice() override {
    waiter_.Cancel();
    reader_.Cancel();
    writer_.Cancel();
    SetCommState(port_, const_cast<DCB*>(&originalDcb_));
    SetCommTimeouts(port_, const_cast<COMMTIMEOUTS*>(&originalTimeouts_));
    CloseHandle(port_);
    CloseHandle(lock_);
  }

  Win32SerialDevice(const Win32SerialDevice&) = delete;
  Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

  WaitObject InputWait() override { return reader_.InputWait(); }
  std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(port_); }

  bool GetState(Dcb& dcb) override { return ReadCommState(port_, dcb); }
  bool SetState(const Dcb& dcb) override { return WriteCommState(port_, dcb); }

  bool SetTimeouts(const CommTimeouts& timeouts) override {
    std::lock_guard lock(timeoutsMutex_);
    timeouts_ = timeouts;
    return true;
  }

  CommTimeouts Timeouts() const override {
    std::lock_guard lock(timeoutsMutex_);
    return timeouts_;
  }

  bool SetQueueSizes(std::int32_t input, std::int32_t output) override {
    if (input <= 0 || output <= 0) return false;
    return SetupComm(port_, static_cast<DWORD>(input), static_cast<DWORD>(output)) != FALSE;
  }

  IoResult Write(const std::uint8_t* data, std::size_t count) override {
    return writer_.Write(data, count);
  }
  IoResult Read(std::uint8_t* buffer, std::size_t count) override {
    return reader_.Read(buffer, count);
  }
  void PurgeInput() override { reader_.Purge(); }
  void PurgeOutput() override { writer_.Purge(); }

  // Refused on a pseudo-terminal under Wine, as the modem lines are on
  // Linux: the result is not needed.
  void SetRts(bool on) override { EscapeCommFunction(port_, on ? SETRTS : CLRRTS); }
  void SetDtr(bool on) override { EscapeCommFunction(port_, on ? SETDTR : CLRDTR); }

  std::int32_t InputCount() override { return reader_.InputCount(); }
  std::int32_t OutputCount() override {
    COMSTAT status{};
    return status_.Query(status) ? static_cast<std::int32_t>(status.cbOutQue) : 0;
  }
  LineEvents TakeLineEvents() override { return status_.TakeLineEvents(); }

  // WaitForMultipleObjects takes the wake event at each wait: nothing to join.
  void PrepareEventWait(WakeSignal&) override {}
  PortWake WaitForEvent(WakeSignal& wake) override { return waiter_.Wait(wake); }
  void WatchInput(bool on) override { waiter_.SetWatching(on); }
  // The error word is read with every queue count, including those of a
  // Read: only what such a query kept is left for the receive worker.
  bool KeepsLineCounters() override { return status_.HoldsErrors(); }

  WaitOutcome WaitWritable(WakeSignal& wake,
                           std::optional<std::chrono::milliseconds> timeout) override {
    return writer_.WaitWritable(wake, timeout);
  }

 private:
  const HANDLE port_;
  const HANDLE lock_;
  const DCB originalDcb_;
  const COMMTIMEOUTS originalTimeouts_;

  mutable std::mutex timeoutsMutex_;  // guards timeouts_
  CommTimeouts timeouts_;

  Win32PortStatus status_{port_};
  Win32PortReader reader_{port_, status_};
  Win32PortWriter writer_{port_};
  Win32EventWaiter waiter_{port_, status_, reader_};  // the receive worker's own
};

}  // namespace

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
