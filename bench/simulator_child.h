#pragma once

// The device simulator (kx14-devsim) as a child of the bench, registering
// its port in a ports directory of its own so that the machine's list stays
// untouched.

#include <filesystem>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "temp_dir.h"

namespace kx14::bench {

class SimulatorChild {
 public:
  // Starts `binary` with `options` and waits for the "port COM<n> <tty>"
  // line of its frame log. Throws std::runtime_error when none comes.
  SimulatorChild(const std::filesystem::path& binary, const std::vector<std::string>& options);

  // The simulator's tty: the device end of the line.
  const std::string& TtyPath() const { return ttyPath_; }

  // Reads and drops the frame log written so far, so that the pipe never
  // fills and stalls the simulator.
  void DiscardLog();

 private:
  testing::TempDir configHome_;  // declared first: outlives the process
  ChildProcess process_;
  std::string ttyPath_;
};

// The tty of a frame-log line "port COM3 /dev/pts/4"; empty for other lines.
std::string TtyOfPortLine(const std::string& line);

}  // namespace kx14::bench
