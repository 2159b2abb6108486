#include "bench/window_launch.h"

#include <X11/Xatom.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>
#include <thread>

#include "bench/process_usage.h"

extern char** environ;

namespace kx14::bench {
namespace {

using Clock = std::chrono::steady_clock;

// The bench's environment with the platform forced to xcb: an inherited
// QT_QPA_PLATFORM=offscreen would show nothing.
std::vector<std::string> XcbEnvironment() {
  std::vector<std::string> env{"QT_QPA_PLATFORM=xcb"};
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::string(*entry).rfind("QT_QPA_PLATFORM=", 0) != 0) env.emplace_back(*entry);
  }
  return env;
}

pid_t Spawn(const std::string& program) {
  std::vector<std::string> env = XcbEnvironment();
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
  return pid;
}

void End(pid_t pid) {
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

}  // namespace

WindowLauncher::WindowLauncher() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) throw std::runtime_error("no X display (DISPLAY)");
  int damageErrorBase = 0;
  if (!XDamageQueryExtension(display_, &damageEventBase_, &damageErrorBase)) {
    XCloseDisplay(display_);
    throw std::runtime_error("the X server has no DAMAGE extension");
  }
  wmPid_ = XInternAtom(display_, "_NET_WM_PID", False);
  XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
  XSync(display_, False);
}

WindowLauncher::~WindowLauncher() {
  ForgetDamageWatches();
  XCloseDisplay(display_);
}

std::optional<LaunchResult> WindowLauncher::Launch(const std::string& program,
                                                   std::chrono::milliseconds settle,
                                                   std::chrono::milliseconds timeout) {
  XSync(display_, True);  // forget the events of earlier runs
  ForgetDamageWatches();
  const auto start = Clock::now();
  const pid_t pid = Spawn(program);
  if (pid < 0) return std::nullopt;
  LaunchResult result;
  if (!WaitForWindowOf(pid, start + timeout, result, start)) {
    End(pid);
    return std::nullopt;
  }
  std::this_thread::sleep_for(settle);
  const auto peak = PeakMemoryOfProcess(pid);
  End(pid);
  if (!peak) return std::nullopt;
  result.peakMemoryMiB = *peak;
  return result;
}

bool WindowLauncher::WaitForWindowOf(pid_t pid, Clock::time_point deadline, LaunchResult& result,
                                     Clock::time_point start) {
  const auto since = [start] {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  };
  Window mapped = None;
  XEvent event;
  while (NextEvent(event, deadline)) {
    if (event.type == CreateNotify && event.xcreatewindow.parent == DefaultRootWindow(display_)) {
      WatchDamage(event.xcreatewindow.window);
    } else if (event.type == MapNotify && mapped == None &&
               BelongsTo(event.xmap.window, pid)) {
      result.mappedMs = since();
      mapped = event.xmap.window;
    } else if (event.type == damageEventBase_ + XDamageNotify && mapped != None &&
               reinterpret_cast<const XDamageNotifyEvent&>(event).drawable == mapped) {
      result.shownMs = since();
      return true;
    }
  }
  return false;
}

bool WindowLauncher::NextEvent(XEvent& event, Clock::time_point deadline) {
  while (XPending(display_) == 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{ConnectionNumber(display_), POLLIN, 0};
    poll(&p, 1, static_cast<int>(left));
  }
  XNextEvent(display_, &event);
  return true;
}

// Watched from its creation on: the first frame can follow the map so
// closely that a watch set up after MapNotify would miss it.
void WindowLauncher::WatchDamage(Window window) {
  damage_[window] = XDamageCreate(display_, window, XDamageReportNonEmpty);
}

void WindowLauncher::ForgetDamageWatches() {
  // Windows of ended programs are gone, and their damage objects with them;
  // destroying those would only raise errors.
  damage_.clear();
}

bool WindowLauncher::BelongsTo(Window window, pid_t pid) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display_, window, wmPid_, 0, 1, False, XA_CARDINAL, &type,
                                        &format, &items, &after, &data);
  bool match = false;
  if (status == Success && data != nullptr && format == 32 && items == 1) {
    match = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
  }
  if (data != nullptr) XFree(data);
  return match;
}

}  // namespace kx14::bench
