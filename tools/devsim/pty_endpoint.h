#pragma once

// The simulator's end of a pseudo-terminal pair. The host (the manager)
// opens the slave through its port entry; the simulator reads and writes the
// master.

#include <string>

namespace kx14::devsim {

class PtyEndpoint {
 public:
  // Opens the pair, sets the slave raw and byte-transparent at 9600 8N1 and
  // makes the master non-blocking. Throws std::system_error.
  PtyEndpoint();
  ~PtyEndpoint();
  PtyEndpoint(const PtyEndpoint&) = delete;
  PtyEndpoint& operator=(const PtyEndpoint&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  // Our own descriptor of the slave, held for the whole run: without it the
  // master reports a hang-up (POLLHUP, read gives EIO) whenever the host
  // closes the port, and keeps reporting it until the host reopens it, which
  // would make the poll loop spin between two sessions of the manager.
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace kx14::devsim
