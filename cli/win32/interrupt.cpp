// Ctrl+C and Ctrl+Break on Windows: the console runs the handler on a thread
// of its own, so it can set an event that the watch loop's waits end on.
#include <windows.h>

#include <atomic>
#include <thread>

#include "cli/interrupt.h"

namespace kx14::cli {
namespace {

std::atomic<bool> interrupted{false};
std::atomic<HANDLE> interruptEvent{nullptr};

BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;  // the default: end
  interrupted.store(true);
  if (const HANDLE event = interruptEvent.load()) SetEvent(event);
  return TRUE;
}

}  // namespace

void CatchInterrupts() {
  if (interruptEvent.load() == nullptr) {
    interruptEvent.store(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  }
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptRequested() { return interrupted.load(); }

bool SleepUnlessInterrupted(std::chrono::milliseconds duration) {
  const HANDLE event = interruptEvent.load();
  if (event == nullptr) {  // no handler installed: nothing can interrupt
    std::this_thread::sleep_for(duration);
  } else if (!interrupted.load()) {
    WaitForSingleObject(event, static_cast<DWORD>(duration.count()));
  }
  return interrupted.load();
}

}  // namespace kx14::cli
