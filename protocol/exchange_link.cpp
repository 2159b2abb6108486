#include "protocol/exchange_link.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "protocol/frames.h"
#include "protocol/send_receive.h"

namespace kx14 {
namespace {

using Clock = std::chrono::steady_clock;

// How long the line must stay quiet before an exchange after an unclean one
// sends: the receive time-out, but no more than this. A device that is late
// is late by a fraction of its time-out in practice (it was busy, or its
// answer was in flight when the time-out passed); waiting a whole time-out
// more after every failure would make a silent device cost twice as long.
constexpr std::int32_t kMaxSettleMs = 1000;
// A line that never goes quiet (noise) ends the settling after this many
// settle times; what then arrives is judged as usual.
constexpr int kMaxSettleRounds = 4;

enum class ExchangeKind { kRead, kProgram, kOther };

ExchangeKind KindOf(const ByteString& command, int replyLength) {
  if (replyLength == kReadReplyLength && command == ReadCommandFrame()) return ExchangeKind::kRead;
  if (replyLength == kProgramReplyLength && ParseProgramCommand(command)) {
    return ExchangeKind::kProgram;
  }
  return ExchangeKind::kOther;
}

// Whether the reply is what the device sends when all went well.
bool IsCleanReply(ExchangeKind kind, const ByteString& reply, int replyLength) {
  switch (kind) {
    case ExchangeKind::kRead:
      return ParseReadReply(reply).has_value();
    case ExchangeKind::kProgram:
      return IsProgramAccepted(reply);
    case ExchangeKind::kOther:
      break;
  }
  return static_cast<int>(reply.size()) == replyLength && replyLength > 0;
}

bool StartsWithEcho(const ByteString& reply, const ByteString& command) {
  return reply.size() >= command.size() &&
         std::equal(command.begin(), command.end(), reply.begin());
}

}  // namespace

TExchangeLink::TExchangeLink(TCustomCommX& comm)
    : comm_(comm), generation_(comm.OpenGeneration()) {}

bool TExchangeLink::EchoProven() const { return echoProven_; }

bool TExchangeLink::SettlesNext() const { return unsettled_; }

void TExchangeLink::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  ForgetIfPortChanged();
  // Bytes that nobody asked for (the tail of a long reply, a late answer)
  // mean the line is not where the last exchange left it.
  if (unsettled_ || comm_.ReceiveCount() > 0) Settle();
  const ByteString sent = command;  // `command` may be the caller's `reply`
  if (observer_ != nullptr) observer_->FrameSent(sent);
  const int received = kx14::SendReceive(comm_, command, replyLength, reply);
  if (observer_ != nullptr && !reply.empty()) observer_->FrameReceived(reply);
  Judge(sent, replyLength, reply);
  if (observer_ != nullptr && reply.empty()) observer_->ReplyMissing(replyLength, received);
  command = reply;
  // A handler that ran during the wait may have closed or changed the port.
  ForgetIfPortChanged();
}

void TExchangeLink::ForgetIfPortChanged() {
  if (comm_.OpenGeneration() == generation_) return;
  generation_ = comm_.OpenGeneration();
  echoProven_ = false;
  unsettled_ = false;
}

void TExchangeLink::Judge(const ByteString& command, int replyLength, ByteString& reply) {
  const ExchangeKind kind = KindOf(command, replyLength);
  const bool echoes = StartsWithEcho(reply, command);
  // Only a reply longer than its command carries a whole echo.
  const bool echoExpected = static_cast<int>(command.size()) < replyLength;
  if (echoProven_ && echoExpected && !reply.empty() && !echoes) reply.clear();
  const bool clean = IsCleanReply(kind, reply, replyLength);
  unsettled_ = !clean;
  if (clean && echoes && kind == ExchangeKind::kProgram) echoProven_ = true;
}

void TExchangeLink::Settle() {
  const std::int32_t timeOut = comm_.TimeOutReceive();
  const std::int32_t settleMs = std::clamp(timeOut, 1, kMaxSettleMs);
  try {
    comm_.SetTimeOutReceive(settleMs);
  } catch (const ECommError&) {
    return;  // the port refused the time-out: send as usual
  }
  std::array<char, 256> sink{};
  for (int round = 0; round < kMaxSettleRounds; ++round) {
    // Returns as soon as the sink is full, else after the settle time with
    // what came: nothing means the line was quiet that long.
    if (comm_.Read(sink.data(), static_cast<std::int32_t>(sink.size())) <= 0) break;
  }
  try {
    comm_.SetTimeOutReceive(timeOut);
  } catch (const ECommError&) {
    // Stored all the same; a port that takes the settle time but refuses the
    // time-out back only makes the exchange's read end early and fail.
  }
  unsettled_ = false;
}

}  // namespace kx14
