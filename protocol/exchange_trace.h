#pragma once

// An observer of the command exchanges, and the trace that writes one line
// per event: every frame sent and received as hex with a millisecond time
// stamp, and every reply that did not come complete (a time-out with the
// count of bytes that did arrive, or a failed read). kx14ctl writes it with
// --trace FILE, the window with KX14_TRACE=FILE.

#include <chrono>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

#include "base/byte_string.h"

namespace kx14 {

class TExchangeObserver {
 public:
  virtual ~TExchangeObserver() = default;
  virtual void FrameSent(const ByteString& command) = 0;
  virtual void FrameReceived(const ByteString& reply) = 0;
  // No reply: `received` bytes of `expected` came (-1: the read failed, the
  // port closed), or all came and were dropped as not this command's answer.
  virtual void ReplyMissing(int expected, int received) = 0;
};

// Lines such as "   12.345 tx E5", "   33.020 rx E5 5A 00 …", "3014.777 timeout
// 0 of 18 bytes", "  40.101 short 7 of 18 bytes", "  52.000 dropped 18 of 18
// bytes" (after its rx line). Time is counted from the
// trace's creation. Each line is flushed, so a trace survives a crash.
// Several threads may write one trace: lines never interleave.
class TExchangeTrace final : public TExchangeObserver {
 public:
  // `out` must outlive the trace.
  explicit TExchangeTrace(std::ostream& out);
  // Opens `path` for appending ("-" is stderr); nothing when it cannot.
  static std::unique_ptr<TExchangeTrace> Open(const std::string& path);
  // The trace the environment asks for: KX14_TRACE=FILE, opened as Open()
  // does. When FILE cannot be opened, one line on `err` names it and the
  // reason, and the program runs on without a trace.
  static std::unique_ptr<TExchangeTrace> FromEnvironment(std::ostream& err);

  void FrameSent(const ByteString& command) override;
  void FrameReceived(const ByteString& reply) override;
  void ReplyMissing(int expected, int received) override;
  // One event's line, its text after the time stamp.
  void Line(const std::string& text);

  static std::string SentText(const ByteString& command);
  static std::string ReceivedText(const ByteString& reply);
  static std::string MissingText(int expected, int received);

 private:
  std::mutex mutex_;
  std::unique_ptr<std::ostream> owned_;
  std::ostream& out_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The events of one of several ports in one trace, each line naming the
// port after its time stamp: "   12.345 COM3 tx E5".
class TSourceTrace final : public TExchangeObserver {
 public:
  // `trace` must outlive this.
  TSourceTrace(TExchangeTrace& trace, std::string source)
      : trace_(trace), source_(std::move(source)) {}
  void FrameSent(const ByteString& command) override {
    trace_.Line(source_ + " " + TExchangeTrace::SentText(command));
  }
  void FrameReceived(const ByteString& reply) override {
    trace_.Line(source_ + " " + TExchangeTrace::ReceivedText(reply));
  }
  void ReplyMissing(int expected, int received) override {
    trace_.Line(source_ + " " + TExchangeTrace::MissingText(expected, received));
  }

 private:
  TExchangeTrace& trace_;
  std::string source_;
};

}  // namespace kx14
