#include "ui/win32/window_message_pump.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace kx14 {

bool Win32MessagePump::DispatchPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit_ = true;
      exitCode_ = static_cast<int>(message.wParam);
      return false;
    }
    // Tab, the arrow keys within a radio group, Enter and Space on a
    // button: the dialog manager's keyboard handling of the top window.
    const HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (top != nullptr && IsDialogMessageW(top, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

void Win32MessagePump::ProcessMessages() {
  tasks_.ProcessMessages();
  if (!DispatchPending()) PostQuitMessage(exitCode_);
}

void Win32MessagePump::WaitReadable(WaitObject ready, std::chrono::milliseconds timeout) {
  std::array<HANDLE, 2> handles{};
  DWORD count = 0;
  if (!ready.IsNone()) handles[count++] = reinterpret_cast<HANDLE>(ready.native);
  const DWORD postedIndex = count;
  handles[count++] = reinterpret_cast<HANDLE>(tasks_.PostedSignal().native);
  const auto ms = static_cast<DWORD>(std::max<std::int64_t>(0, timeout.count()));
  const DWORD result =
      MsgWaitForMultipleObjectsEx(count, handles.data(), ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result == WAIT_OBJECT_0 + postedIndex) {
    tasks_.ProcessMessages();
  } else if (result == WAIT_OBJECT_0 + count) {
    ProcessMessages();
  }
}

int Win32MessagePump::Run() {
  while (!quit_) {
    tasks_.ProcessMessages();
    if (!DispatchPending()) break;
    const HANDLE posted = reinterpret_cast<HANDLE>(tasks_.PostedSignal().native);
    MsgWaitForMultipleObjectsEx(1, &posted, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  return exitCode_;
}

}  // namespace kx14
