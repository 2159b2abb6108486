#pragma once

// The device at the far end of a bench pty, answering at once: the
// simulator's own frame handler (echo, then the 18-byte read reply or the
// program acknowledgement) on a thread of its own, so that what is timed is
// the host's side of the exchange and nothing else. It keeps no record and
// has no hooks: in_process_device.h's would add their cost to every exchange.

#include <atomic>
#include <thread>

#include "comm/wake_signal.h"
#include "tools/devsim/device_responder.h"

namespace kx14::testing {

class InstantDevice {
 public:
  // `master` must stay open until the far end is destroyed.
  explicit InstantDevice(int master);
  ~InstantDevice();  // stops the thread and waits for it
  InstantDevice(const InstantDevice&) = delete;
  InstantDevice& operator=(const InstantDevice&) = delete;

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

}  // namespace kx14::testing
