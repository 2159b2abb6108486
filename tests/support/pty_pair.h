#pragma once

// A pseudo-terminal pair for tests and benchmarks: the code under test opens
// the slave by its path, the test plays the far end on the master. The pair
// keeps a slave descriptor of its own open, so a client that closes the slave
// never leaves the master hung up for the next one. Neither descriptor is
// inherited by child processes.

#include <chrono>
#include <cstddef>
#include <string>

namespace kx14::testing {

class PtyPair {
 public:
  // kCooked leaves making the line raw to the code under test; kRaw sets it
  // up front (cfmakeraw). Throws std::runtime_error when no pty can be had.
  enum class Line { kCooked, kRaw };
  explicit PtyPair(Line line = Line::kCooked);
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int Master() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  // Writes every byte; throws std::runtime_error when the master fails.
  void WriteMaster(const std::string& bytes);
  // Reads until `count` bytes came or `timeout` passed.
  std::string ReadMaster(std::size_t count, std::chrono::milliseconds timeout);
  // Reads everything that arrives until the line has been quiet for `quiet`.
  std::string DrainMaster(std::chrono::milliseconds quiet);
  // The far end goes away: the slave side sees a hang-up.
  void CloseMaster();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// Reads from `fd` until `count` bytes came or `timeout` passed.
std::string ReadFromFd(int fd, std::size_t count, std::chrono::milliseconds timeout);

}  // namespace kx14::testing
