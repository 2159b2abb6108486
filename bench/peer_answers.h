#pragma once

// The line protocol between roundtrip_bench and its peer programs
// (qt_serial_peer, pyserial_peer.py), one request line and one answer line:
//
//   exchange <commandLength> <replyLength> <count>
//       -> ok <microseconds> ... (count round trips, each timed by the peer
//          from before its write to the moment the whole reply is in; the
//          input purge before each one is not timed)
//   silent <commandLength> <replyLength>
//       -> idle <cpuSeconds> <wallSeconds> <bytesReceived> (one exchange
//          against a far end that never answers, waiting out the 3 s time-out)
//   anything the peer cannot do -> error <text>
//
// Command length 1 sends the read command (E5), 18 a program command (F5, a
// block, its checksum). End of input ends the peer.

#include <optional>
#include <string>
#include <vector>

namespace kx14::bench {

std::string ExchangeRequest(int commandLength, int replyLength, int count);
std::string SilentRequest(int commandLength, int replyLength);

// The samples of an "ok ..." answer; nothing for any other answer.
std::optional<std::vector<double>> ParseSamples(const std::string& answer);

struct IdleAnswer {
  double cpuSeconds = 0.0;
  double wallSeconds = 0.0;
  long bytesReceived = 0;
};
// The figures of an "idle ..." answer; nothing for any other answer.
std::optional<IdleAnswer> ParseIdle(const std::string& answer);

}  // namespace kx14::bench
