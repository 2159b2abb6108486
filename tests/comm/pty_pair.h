#pragma once

// A pseudo-terminal for tests: the component opens the slave by its path, the
// test plays the far end on the master.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "comm/byte_string.h"

namespace kx14::test {

class PtyPair {
 public:
  enum class Line { kCooked, kRaw };
  // The test keeps a slave descriptor open too. kCooked leaves making the
  // line raw to the component under test; kRaw sets it up front.
  explicit PtyPair(Line line = Line::kCooked);
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int Master() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  void WriteMaster(const ByteString& bytes);
  // Reads until `count` bytes came or `timeout` passed.
  ByteString ReadMaster(std::size_t count, std::chrono::milliseconds timeout);
  // Reads everything that arrives until the line has been quiet for `quiet`.
  ByteString DrainMaster(std::chrono::milliseconds quiet);
  // The far end goes away: the slave side sees a hang-up.
  void CloseMaster();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// Reads from `fd` until `count` bytes came or `timeout` passed.
ByteString ReadFromFd(int fd, std::size_t count, std::chrono::milliseconds timeout);

// A resolver that maps one COM number to `path` and every other to nothing.
std::optional<std::filesystem::path> ResolveOnly(int wanted, const std::string& path, int portNo);

}  // namespace kx14::test
