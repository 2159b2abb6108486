#pragma once

// The simulated device at the far end of a 9600 bit/s line: kx14-devsim
// pacing its replies, behind the paced line model that delays the host's
// bytes as a wire would. The host opens HostPath().

#include <filesystem>
#include <string>

#include "bench/paced_line.h"
#include "bench/plain_port.h"
#include "bench/simulator_child.h"
#include "pty_pair.h"

namespace kx14::bench {

class PacedDevice {
 public:
  // Throws std::runtime_error when the simulator does not come up.
  PacedDevice(const std::filesystem::path& simulator, long baud);

  const std::string& HostPath() const { return host_.SlavePath(); }
  // Drops the simulator's frame log written so far (call between runs).
  void DiscardLog() { simulator_.DiscardLog(); }

 private:
  SimulatorChild simulator_;
  PlainPort deviceEnd_;  // the simulator's tty, raw
  testing::PtyPair host_{testing::PtyPair::Line::kRaw};
  PacedLine line_;
};

// The time `bytes` take on a line of `baud` bit/s at 10 bits a byte, in ms.
double WireMs(int bytes, long baud);

}  // namespace kx14::bench
