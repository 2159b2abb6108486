#pragma once

// Starts a windowed program on the current X display and times it from the
// launch to its first top-level window being mapped, and on to the first
// frame the program draws into that window, watched from outside the
// process: the bench selects SubstructureNotify on the root window before it
// starts the program, puts a DAMAGE watch on every top-level window as it is
// created, takes the first MapNotify of a window whose _NET_WM_PID is the
// program's, and then the first damage to that window. A window can be mapped
// before its text is laid out, so the first frame is the moment a user sees
// the window, and the fair point to compare. (xdotool search --sync polls
// only every 500 ms, too coarse for a start-up of a few hundred.)

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kx14::bench {

struct LaunchResult {
  double mappedMs = 0.0;     // launch to the window mapped
  double shownMs = 0.0;      // launch to the first frame drawn into the window
  double peakMemoryMiB = 0;  // VmHWM once the window has been up for the settle time
};

class WindowLauncher {
 public:
  // Connects to $DISPLAY. Throws std::runtime_error without one.
  WindowLauncher();
  ~WindowLauncher();
  WindowLauncher(const WindowLauncher&) = delete;
  WindowLauncher& operator=(const WindowLauncher&) = delete;

  // Runs `program` on the xcb platform, waits for its window (at most
  // `timeout`), lets it run for `settle` so that its first paint is done,
  // reads its peak resident memory and ends it. Nothing when no window came.
  std::optional<LaunchResult> Launch(const std::string& program, std::chrono::milliseconds settle,
                                     std::chrono::milliseconds timeout);

 private:
  // The window mapped, then its first frame; false when the deadline passed.
  bool WaitForWindowOf(pid_t pid, std::chrono::steady_clock::time_point deadline,
                       LaunchResult& result, std::chrono::steady_clock::time_point start);
  bool NextEvent(XEvent& event, std::chrono::steady_clock::time_point deadline);
  void WatchDamage(Window window);
  void ForgetDamageWatches();
  bool BelongsTo(Window window, pid_t pid);

  Display* display_ = nullptr;
  Atom wmPid_ = 0;
  int damageEventBase_ = 0;
  std::map<Window, Damage> damage_;
};

}  // namespace kx14::bench
