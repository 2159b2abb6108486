#pragma once

// A serial line at a given bit rate between two ptys, for timing whole
// operations against the simulator. The simulator paces only the bytes it
// sends, and a pty hands the host's bytes over at once; a real line delivers
// every byte one byte time (start bit, 8 data bits, stop bit) after it was
// sent or after the byte ahead of it arrived, whichever is later, in both
// directions. This line does that, so that an exchange over it takes the
// wire time of all the bytes it moves, as with the device.

#include <thread>

#include "comm/wake_signal.h"

namespace kx14::bench {

class PacedLine {
 public:
  // Relays between `hostSide` (the master of the pty the host opens) and
  // `deviceSide` (the simulator's tty) until destroyed. Both descriptors
  // must stay open meanwhile.
  PacedLine(int hostSide, int deviceSide, long baud);
  ~PacedLine();
  PacedLine(const PacedLine&) = delete;
  PacedLine& operator=(const PacedLine&) = delete;

 private:
  void Run();

  const int hostSide_;
  const int deviceSide_;
  const long baud_;
  WakeSignal stop_;
  std::thread thread_;
};

}  // namespace kx14::bench
