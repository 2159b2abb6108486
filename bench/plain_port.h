#pragma once

// The floor of every serial measure: a tty opened and used with nothing
// between the caller and the kernel. Blocking write, then poll and read
// until the reply is whole.

#include <chrono>
#include <cstddef>
#include <string>

#include "base/byte_string.h"

namespace kx14::bench {

class PlainPort {
 public:
  // Opens `path` read-write, blocking, raw (cfmakeraw). Throws
  // std::runtime_error when it cannot.
  explicit PlainPort(const std::string& path);
  ~PlainPort();
  PlainPort(const PlainPort&) = delete;
  PlainPort& operator=(const PlainPort&) = delete;

  int Fd() const { return fd_; }

  // Writes all of `data`; false when the tty refused.
  bool WriteAll(const char* data, std::size_t count);
  // Writes `command`, then reads until `replyLength` bytes came or
  // `timeout` passed; the number of bytes received.
  std::size_t Exchange(const ByteString& command, std::size_t replyLength,
                       std::chrono::milliseconds timeout);
  // Discards unread input.
  void PurgeInput();

 private:
  int fd_;
};

}  // namespace kx14::bench
