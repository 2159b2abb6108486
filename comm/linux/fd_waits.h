#pragma once

// Waiting on descriptors (Linux): shared by the Linux serial device and the
// fake device of the tests.

#include <sys/epoll.h>

#include <chrono>
#include <optional>

#include "comm/serial_device.h"
#include "comm/wake_signal.h"

namespace kx14 {

// Reports each arrival of input once. The port descriptor stays readable while
// unread input waits, so a level-triggered poll() would return at once again
// and again; an edge-triggered epoll set wakes only when the driver signals new
// input. Used by one thread at a time.
class InputEdgeWaiter {
 public:
  explicit InputEdgeWaiter(int portFd);  // throws std::system_error
  ~InputEdgeWaiter();
  InputEdgeWaiter(const InputEdgeWaiter&) = delete;
  InputEdgeWaiter& operator=(const InputEdgeWaiter&) = delete;

  // Adds `wake` to the set (once; a different signal replaces it). Throws
  // std::system_error.
  void Watch(WakeSignal& wake);
  // Waits for input or `wake`; `wake` is normally watched already, so the
  // registration inside cannot fail any more.
  PortWake Wait(WakeSignal& wake);

  // Stops or resumes reporting input; safe while another thread waits.
  // Resuming reports input that is already waiting at once.
  void SetWatching(bool on);

 private:
  PortWake TakeEdge(const epoll_event& ev);

  int portFd_;
  int epollFd_;
  int wakeFd_ = -1;  // the wake signal's descriptor, once registered
};

// The descriptor behind a wake signal.
inline int FdOf(const WakeSignal& wake) { return static_cast<int>(wake.Handle().native); }

// Blocks until `fd` takes output, `wake` fires, `timeout` passes, or the far
// end hangs up. EINTR is retried with the remaining time.
WaitOutcome WaitFdWritable(int fd, WakeSignal& wake,
                           std::optional<std::chrono::milliseconds> timeout);

// poll() timeout in milliseconds for a remaining duration, rounded up so that
// a wait never returns just before its deadline and spins; -1 for none.
int PollTimeoutMs(std::optional<std::chrono::steady_clock::duration> remaining);

}  // namespace kx14
