#include "protocol/exchange_trace.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "protocol/hex_bytes.h"

namespace kx14 {
namespace {

// " E5 5A …": the frame's bytes after the event's word.
std::string Hex(const ByteString& bytes) { return bytes.empty() ? "" : " " + HexBytes(bytes); }

}  // namespace

TExchangeTrace::TExchangeTrace(std::ostream& out) : out_(out) {}

std::unique_ptr<TExchangeTrace> TExchangeTrace::Open(const std::string& path) {
  if (path == "-") return std::make_unique<TExchangeTrace>(std::cerr);
  auto file = std::make_unique<std::ofstream>(path, std::ios::app);
  if (!*file) return nullptr;
  auto trace = std::make_unique<TExchangeTrace>(*file);
  trace->owned_ = std::move(file);
  return trace;
}

std::unique_ptr<TExchangeTrace> TExchangeTrace::FromEnvironment(std::ostream& err) {
  const char* path = std::getenv("KX14_TRACE");
  if (path == nullptr || *path == '\0') return nullptr;
  errno = 0;
  auto trace = Open(path);
  if (!trace) {
    const int error = errno;
    err << "KX14_TRACE: cannot write the trace file " << path
        << (error != 0 ? std::string(": ") + std::strerror(error) : std::string())
        << "; running without a trace" << std::endl;
  }
  return trace;
}

void TExchangeTrace::Line(const std::string& text) {
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%9.3f ", ms);
  const std::lock_guard lock(mutex_);
  out_ << stamp << text << std::endl;
}

std::string TExchangeTrace::SentText(const ByteString& command) { return "tx" + Hex(command); }

std::string TExchangeTrace::ReceivedText(const ByteString& reply) { return "rx" + Hex(reply); }

std::string TExchangeTrace::MissingText(int expected, int received) {
  const std::string of = " of " + std::to_string(expected) + " bytes";
  if (received < 0) return "read failed, 0" + of;
  if (received >= expected) return "dropped " + std::to_string(received) + of;
  if (received == 0) return "timeout 0" + of;
  return "short " + std::to_string(received) + of;
}

void TExchangeTrace::FrameSent(const ByteString& command) { Line(SentText(command)); }

void TExchangeTrace::FrameReceived(const ByteString& reply) { Line(ReceivedText(reply)); }

void TExchangeTrace::ReplyMissing(int expected, int received) {
  Line(MissingText(expected, received));
}

}  // namespace kx14
