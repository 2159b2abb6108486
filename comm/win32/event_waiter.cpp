#include "comm/win32/event_waiter.h"

#include <new>
#include <utility>

namespace kx14 {
namespace {

// A comm-event wait that ends with an error and no new input (Wine on a
// pseudo-terminal) is started again after this pause, not at once.
constexpr DWORD kEventRetryMs = 10;

bool TakeWake(HANDLE wakeEvent, DWORD ms) {
  if (WaitForSingleObject(wakeEvent, ms) != WAIT_OBJECT_0) return false;
  ResetEvent(wakeEvent);
  return true;
}

}  // namespace

Win32EventWaiter::Win32EventWaiter(HANDLE port, Win32PortStatus& status, Win32PortReader& reader)
    : port_(port), status_(status), reader_(reader) {
  watchChanged_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (watchChanged_ == nullptr) throw std::bad_alloc();
}

Win32EventWaiter::~Win32EventWaiter() { CloseHandle(watchChanged_); }

PortWake Win32EventWaiter::Wait(WakeSignal& wake) {
  const HANDLE wakeEvent = reinterpret_cast<HANDLE>(wake.Handle().native);
  for (;;) {
    // While a Read takes the input itself, no comm-event wait is started
    // (one already in flight is still collected): arrivals then wake only
    // the reading thread, as on Linux.
    if (watching_.load() && !events_.pending) {
      if (!StartEventWait()) return WaitAfterFailure(wakeEvent);
      // Input that came between the open and the first wait raised no event
      // (Wine's wait counts only what arrives after it starts): an answer
      // that quick would otherwise wait unreported for the next byte.
      if (std::exchange(firstWait_, false) && (armedQueue_ > 0 || reader_.HoldsByte())) {
        return {.received = true};
      }
    }
    const HANDLE handles[] = {wakeEvent, watchChanged_, events_.Event()};
    const DWORD count = events_.pending ? 3 : 2;
    const DWORD which = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (which == WAIT_OBJECT_0) {
      wake.Drain();
      return {.woken = true};
    }
    if (which == WAIT_OBJECT_0 + 1) {
      // Watching resumed: input that came meanwhile is reported now. The
      // comm-event wait that starts here counts the queue anyway; a byte the
      // look-ahead read holds is the other place input can wait.
      if (!watching_.load()) continue;
      if (!events_.pending && !StartEventWait()) return WaitAfterFailure(wakeEvent);
      if (armedQueue_ > 0 || reader_.HoldsByte()) return {.received = true};
      continue;
    }
    const auto result = events_.Poll(port_);
    if (!result.done) continue;
    if (const auto wakeUp = TakeEvent(result, wakeEvent)) return *wakeUp;
  }
}

void Win32EventWaiter::SetWatching(bool on) {
  watching_ = on;
  if (on) {
    SetEvent(watchChanged_);
    return;
  }
  // A comm-event wait left in flight while the window's thread reads would
  // end at the reply's first byte and wake this worker in the middle of the
  // exchange; under Wine it also makes every read of the port slower. The
  // worker collects the ended wait and starts none until watching resumes.
  events_.RequestCancel(port_);
}

void Win32EventWaiter::Cancel() {
  SetCommMask(port_, 0);
  events_.CancelAndWait(port_);
}

bool Win32EventWaiter::StartEventWait() {
  armedQueue_ = status_.InputQueue();
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

std::optional<PortWake> Win32EventWaiter::TakeEvent(const Win32Overlapped::Result& result,
                                                    HANDLE wakeEvent) {
  bool received = false;
  bool line = false;
  if (!result.ok && result.error == ERROR_OPERATION_ABORTED) {
    // Ended by SetWatching(false). Should watching have resumed already,
    // the wait starts again and the resumption's check finds the input.
    return std::nullopt;
  }
  if (result.ok && eventMask_ != 0) {
    received = (eventMask_ & EV_RXCHAR) != 0;
    line = (eventMask_ & (EV_BREAK | EV_ERR)) != 0;
  } else {
    received = status_.InputQueue() > armedQueue_;
    if (!received && TakeWake(wakeEvent, kEventRetryMs)) return PortWake{.woken = true};
  }
  if (received && !watching_.load()) received = false;
  if (!received && !line) return std::nullopt;
  return PortWake{.received = received};
}

PortWake Win32EventWaiter::WaitAfterFailure(HANDLE wakeEvent) {
  COMSTAT status{};
  if (!status_.Query(status)) {
    TakeWake(wakeEvent, INFINITE);  // the port is gone: only a wake-up is left
    return {.hungUp = true, .woken = true};
  }
  const bool woken = TakeWake(wakeEvent, kEventRetryMs);
  return {.received = watching_.load() && status.cbInQue > 0, .woken = woken};
}

}  // namespace kx14
