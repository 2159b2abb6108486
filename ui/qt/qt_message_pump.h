#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "comm/message_pump.h"

class QEventLoop;
class QSocketNotifier;

namespace kx14 {

// The window side of the serial component's message pump, on Qt's event
// loop. Create and use it on the GUI thread; only Post may be called from
// any thread. It must outlive every component it was handed to; tasks still
// queued when it is destroyed are dropped.
class QtMessagePump : public TMessagePump {
 public:
  QtMessagePump();
  ~QtMessagePump() override;
  QtMessagePump(const QtMessagePump&) = delete;
  QtMessagePump& operator=(const QtMessagePump&) = delete;

  // Runs the pending events, posted tasks among them.
  void ProcessMessages() override;

  // Queues `task` to run on the GUI thread. A task that runs also ends every
  // WaitReadable in progress, since it may be what the waiter waits for.
  void Post(std::function<void()> task) override;

  // Runs a nested event loop until `fd` is readable or hung up, a posted task
  // has run, or `timeout` has passed. Handlers that run inside may wait again
  // (also on the same fd): an inner wait that ends for the fd or a task ends
  // the outer ones too, which then return early. A wait also ends as soon as
  // a handler running inside it has closed `fd`, also when another open took
  // the number at once (the wait knows its file by identity, not by number).
  // Once the application is
  // quitting, no event loop can run any more: the wait then blocks in poll()
  // for the rest of the time-out, without running events.
  void WaitReadable(WaitObject ready, std::chrono::milliseconds timeout) override;

 private:
  struct Wait {
    int fd;
    QEventLoop* loop;
  };

  void RunTask(const std::function<void()>& task);
  void EndWaits(int fd);
  void EndAllWaits();
  void EndWaitsOnClosedFds();
  void WatchFd(int fd);
  void UnwatchFd(int fd);

  // Queued tasks are events to this object: destroying it drops them.
  std::unique_ptr<QObject> context_;
  std::vector<Wait*> waits_;  // innermost last
  struct FdWatch {
    std::unique_ptr<QSocketNotifier> notifier;
    int users = 0;
    // The file the number stood for when the watch began (st_dev, st_ino).
    unsigned long long device = 0;
    unsigned long long inode = 0;
  };
  // One notifier per descriptor, shared by nested waits on it.
  std::map<int, FdWatch> watches_;
};

}  // namespace kx14
