#include "bench/peer_contender.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "protocol/frames.h"

namespace kx14::bench {
namespace {

// A peer's answer covers every exchange of a round; a silent exchange waits
// out the peer's 3 s time-out.
constexpr std::chrono::seconds kAnswerTimeout{60};

std::vector<std::string> WithPath(std::vector<std::string> command, const std::string& path) {
  command.push_back(path);
  return command;
}

}  // namespace

PeerContender::PeerContender(std::string name, std::vector<std::string> command)
    : name_(std::move(name)),
      farEnd_(pty_.Master()),
      process_(WithPath(std::move(command), pty_.SlavePath())) {}

std::optional<std::vector<double>> PeerContender::Exchanges(int commandLength, int replyLength,
                                                            int count) {
  const auto answer =
      process_.Request(ExchangeRequest(commandLength, replyLength, count), kAnswerTimeout);
  auto samples = answer ? ParseSamples(*answer) : std::nullopt;
  if (!samples || samples->size() != static_cast<std::size_t>(count)) {
    std::fprintf(stderr, "%s: %s\n", name_.c_str(), answer ? answer->c_str() : "no answer");
    return std::nullopt;
  }
  return samples;
}

std::optional<IdleAnswer> PeerContender::SilentExchange(int commandLength, int replyLength) {
  farEnd_.SetSilent(true);
  const auto answer = process_.Request(SilentRequest(commandLength, replyLength), kAnswerTimeout);
  farEnd_.SetSilent(false);
  auto idle = answer ? ParseIdle(*answer) : std::nullopt;
  if (!idle)
    std::fprintf(stderr, "%s: %s\n", name_.c_str(), answer ? answer->c_str() : "no answer");
  return idle;
}

std::vector<std::unique_ptr<PeerContender>> StartPeers(const std::string& qtPeer,
                                                       const std::string& python,
                                                       const std::string& pyserialPeer) {
  std::vector<std::unique_ptr<PeerContender>> peers;
  const auto start = [&](const std::string& name, std::vector<std::string> command) {
    try {
      auto peer = std::make_unique<PeerContender>(name, std::move(command));
      // One exchange proves that the peer opened its port and can talk.
      if (peer->Exchanges(1, kReadReplyLength, 1)) peers.push_back(std::move(peer));
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s left out: %s\n", name.c_str(), error.what());
    }
  };
  if (!qtPeer.empty()) start("qt", {qtPeer});
  if (!pyserialPeer.empty()) start("pyserial", {python, pyserialPeer});
  return peers;
}

}  // namespace kx14::bench
