#pragma once

// Several ports watched at once write one trace: each event is passed on
// under a lock, so lines never interleave.

#include <mutex>

#include "protocol/exchange_trace.h"

namespace kx14::cli {

class LockedObserver final : public TExchangeObserver {
 public:
  explicit LockedObserver(TExchangeObserver& inner) : inner_(inner) {}
  void FrameSent(const ByteString& command) override {
    const std::lock_guard lock(mutex_);
    inner_.FrameSent(command);
  }
  void FrameReceived(const ByteString& reply) override {
    const std::lock_guard lock(mutex_);
    inner_.FrameReceived(reply);
  }
  void ReplyMissing(int expected, int received) override {
    const std::lock_guard lock(mutex_);
    inner_.ReplyMissing(expected, received);
  }

 private:
  std::mutex mutex_;
  TExchangeObserver& inner_;
};

}  // namespace kx14::cli
