#pragma once

// The receive worker: waits for port events and tells the component's window
// thread about line errors, breaks and received characters, in that order.
// It reads no data itself; Read does that on the window's thread. It has at
// most one batch of notifications outstanding: until the window thread has
// handled them it only collects what arrives.

#include <memory>
#include <thread>

#include "comm/serial_device.h"
#include "comm/wake_signal.h"
#include "comm/worker_signal.h"

namespace kx14 {

class TCommReceiveThread {
 public:
  // Throws std::system_error when the port's event wait cannot be prepared.
  TCommReceiveThread(std::shared_ptr<SerialDevice> port, NotificationLink window);
  ~TCommReceiveThread();  // terminates and joins a worker that still runs
  TCommReceiveThread(const TCommReceiveThread&) = delete;
  TCommReceiveThread& operator=(const TCommReceiveThread&) = delete;

  void Start();  // throws std::system_error when no thread can be created

  // Marks the worker terminated and fires its WakeEvent; Join then returns
  // promptly, also while notifications wait to be handled.
  void Terminate();
  void Join();

  // Makes the worker read the driver's error and break counters now.
  void Nudge() { WakeEvent.Signal(); }

 private:
  void Run();
  void Report(const PortWake& wake);

  const std::shared_ptr<SerialDevice> port_;
  const NotificationLink window_;
  const std::shared_ptr<WorkerSignal> signal_;
  WakeSignal WakeEvent;  // ends the wait for port events
  std::thread thread_;
};

}  // namespace kx14
