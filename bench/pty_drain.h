#pragma once

// Reads everything that arrives on a pty master, as fast as it comes, and
// counts it: the receiving side of the bulk-write measure.

#include <atomic>
#include <cstddef>
#include <thread>

#include "comm/wake_signal.h"

namespace kx14::bench {

class PtyDrain {
 public:
  explicit PtyDrain(int master);
  ~PtyDrain();
  PtyDrain(const PtyDrain&) = delete;
  PtyDrain& operator=(const PtyDrain&) = delete;

  // Starts counting from 0 towards `expected` bytes.
  void Expect(std::size_t expected);
  // Bytes counted since Expect.
  std::size_t Received() const { return received_.load(); }
  // True once the expected count has arrived.
  bool Done() const { return received_.load() >= expected_.load(); }
  // Readable once Done: for waiting in poll() or in a message pump.
  int DoneFd() const { return static_cast<int>(done_.Handle().native); }

 private:
  void Run();

  const int master_;
  std::atomic<std::size_t> received_{0};
  std::atomic<std::size_t> expected_{0};
  WakeSignal done_;
  WakeSignal stop_;
  std::thread thread_;
};

}  // namespace kx14::bench
