// Ctrl+C and Ctrl+Break on Windows: the console runs the handler on a thread
// of its own.
#include <windows.h>

#include <atomic>

#include "cli/interrupt.h"

namespace kx14::cli {
namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;  // the default: end
  interrupted.store(true);
  return TRUE;
}

}  // namespace

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

bool InterruptRequested() { return interrupted.load(); }

}  // namespace kx14::cli
