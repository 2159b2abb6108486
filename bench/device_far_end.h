#pragma once

// The device at the far end of a bench pty, answering at once: the
// simulator's own frame handler (echo, then the 18-byte read reply or the
// program acknowledgement) on a thread of its own, so that what is timed is
// the host's side of the exchange and nothing else.

#include <atomic>
#include <thread>

#include "comm/wake_signal.h"
#include "tools/devsim/device_responder.h"

namespace kx14::bench {

class DeviceFarEnd {
 public:
  // `master` must stay open until the far end is destroyed.
  explicit DeviceFarEnd(int master);
  ~DeviceFarEnd();  // stops the thread and waits for it
  DeviceFarEnd(const DeviceFarEnd&) = delete;
  DeviceFarEnd& operator=(const DeviceFarEnd&) = delete;

  // A silent far end takes every byte and answers nothing: the device that
  // never replies, for the waits whose CPU cost is measured.
  void SetSilent(bool silent) { silent_ = silent; }

 private:
  void Run();
  bool Serve();  // false once the far end must stop
  void WriteAll(const ByteString& bytes);

  const int master_;
  devsim::DeviceResponder responder_;
  WakeSignal stop_;
  std::atomic<bool> silent_{false};
  std::thread thread_;
};

}  // namespace kx14::bench
