#pragma once

#include <chrono>
#include <functional>

#include "comm/message_pump.h"
#include "comm/poll_message_pump.h"

namespace kx14 {

// The window side of the serial component's message pump on Win32: window
// messages and posted tasks run on the window's thread, and a wait blocks
// in MsgWaitForMultipleObjectsEx on the caller's wait object, the posted
// tasks' signal and the message queue together. Only Post may be called
// from another thread.
class Win32MessagePump final : public TMessagePump {
 public:
  Win32MessagePump() = default;

  // Runs every pending window message and posted task. A WM_QUIT taken here
  // (inside a wait) is posted again, so the outermost loop still ends.
  void ProcessMessages() override;
  void Post(std::function<void()> task) override { tasks_.Post(std::move(task)); }
  void WaitReadable(WaitObject ready, std::chrono::milliseconds timeout) override;

  // The program's message loop: runs messages and tasks until WM_QUIT;
  // returns its exit code.
  int Run();

 private:
  // False when WM_QUIT was taken.
  bool DispatchPending();

  PollMessagePump tasks_;  // the posted tasks and their signal
  bool quit_ = false;
  int exitCode_ = 0;
};

}  // namespace kx14
