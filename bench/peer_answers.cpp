#include "bench/peer_answers.h"

#include <sstream>

namespace kx14::bench {

std::string ExchangeRequest(int commandLength, int replyLength, int count) {
  return "exchange " + std::to_string(commandLength) + " " + std::to_string(replyLength) + " " +
         std::to_string(count);
}

std::string SilentRequest(int commandLength, int replyLength) {
  return "silent " + std::to_string(commandLength) + " " + std::to_string(replyLength);
}

std::optional<std::vector<double>> ParseSamples(const std::string& answer) {
  std::istringstream in(answer);
  std::string word;
  if (!(in >> word) || word != "ok") return std::nullopt;
  std::vector<double> samples;
  double value;
  while (in >> value) samples.push_back(value);
  if (!in.eof()) return std::nullopt;  // something that is no number
  return samples;
}

std::optional<IdleAnswer> ParseIdle(const std::string& answer) {
  std::istringstream in(answer);
  std::string word;
  IdleAnswer idle;
  if (!(in >> word) || word != "idle") return std::nullopt;
  if (!(in >> idle.cpuSeconds >> idle.wallSeconds >> idle.bytesReceived)) return std::nullopt;
  return idle;
}

}  // namespace kx14::bench
