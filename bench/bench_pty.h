#pragma once

// A pseudo-terminal for the benchmarks: the program under test opens the
// slave by its path, a far end plays the device on the master. The bench
// keeps a slave descriptor of its own open, so a client that closes the
// slave never leaves the master hung up for the next one.

#include <string>

namespace kx14::bench {

class BenchPty {
 public:
  // Raw (cfmakeraw) from the start. Throws std::runtime_error when no pty
  // can be had.
  BenchPty();
  ~BenchPty();
  BenchPty(const BenchPty&) = delete;
  BenchPty& operator=(const BenchPty&) = delete;

  int Master() const { return master_; }
  int Slave() const { return slave_; }
  const std::string& SlavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace kx14::bench
