#pragma once

// One peer of the exchange measure (Qt's serial port class, pyserial): a pty
// with a far end that answers at once, and the peer program running against
// the pty's slave in a child process (the protocol is in peer_answers.h).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/peer_answers.h"
#include "instant_device.h"
#include "pty_pair.h"

namespace kx14::bench {

class PeerContender {
 public:
  // Starts `command` with the pty's slave path appended. Throws
  // std::runtime_error when the program cannot be started.
  PeerContender(std::string name, std::vector<std::string> command);

  const std::string& Name() const { return name_; }

  // `count` timed exchanges; nothing (and the reason on stderr) when the peer
  // failed or gave no answer.
  std::optional<std::vector<double>> Exchanges(int commandLength, int replyLength, int count);
  // One exchange against a far end that stays silent.
  std::optional<IdleAnswer> SilentExchange(int commandLength, int replyLength);

 private:
  std::string name_;
  testing::PtyPair pty_{testing::PtyPair::Line::kRaw};
  testing::InstantDevice farEnd_;
  ChildProcess process_;
};

// A contender for each peer that can run on this machine: the Qt peer when
// `qtPeer` names a program, pyserial when `python` can import serial.
// Peers that cannot start are reported on stderr and left out.
std::vector<std::unique_ptr<PeerContender>> StartPeers(const std::string& qtPeer,
                                                       const std::string& python,
                                                       const std::string& pyserialPeer);

}  // namespace kx14::bench
