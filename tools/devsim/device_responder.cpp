#include "tools/devsim/device_responder.h"

#include <array>
#include <cstddef>

#include "protocol/frames.h"

namespace kx14::devsim {
namespace {

constexpr char ToChar(std::uint8_t byte) { return static_cast<char>(byte); }

// One fault drawn for a reply of the random-fault mode.
Faults RandomFault(std::mt19937& random, bool isRead) {
  static constexpr std::array<bool Faults::*, 5> kCommon = {
      &Faults::silent, &Faults::shortReply, &Faults::longReply, &Faults::noise, nullptr};
  std::uniform_int_distribution<std::size_t> pick(0, kCommon.size() - 1);
  Faults faults;
  bool Faults::*flag = kCommon[pick(random)];
  // The last slot is the fault of the command's own answer.
  if (flag == nullptr) flag = isRead ? &Faults::badChecksum : &Faults::refuse;
  faults.*flag = true;
  return faults;
}

Faults Combined(const Faults& a, const Faults& b) {
  return {a.silent || b.silent,           a.shortReply || b.shortReply, a.longReply || b.longReply,
          a.badChecksum || b.badChecksum, a.refuse || b.refuse,         a.noise || b.noise,
          a.noEcho || b.noEcho,           a.wrongStore || b.wrongStore};
}

BlockBytes WronglyStored(BlockBytes block) {
  block[kWrongStoreIndex] ^= kWrongStoreFlip;
  return block;
}

}  // namespace

DeviceResponder::DeviceResponder(const BlockBytes& block, const Behaviour& behaviour)
    : block_(block), behaviour_(behaviour), random_(behaviour.seed) {}

void DeviceResponder::SetBehaviour(const Behaviour& behaviour) {
  if (behaviour.seed != behaviour_.seed) random_.seed(behaviour.seed);
  behaviour_ = behaviour;
}

ResponderOutput DeviceResponder::Receive(std::string_view bytes, Clock::time_point now) {
  ResponderOutput out;
  ExpireInto(now, out);
  for (char byte : bytes) {
    if (!frame_.empty()) {
      frame_.push_back(byte);
      if (frame_.size() == static_cast<std::size_t>(kProgramCommandLength)) AnswerProgram(out);
    } else if (byte == ToChar(kReadCommandByte)) {
      FlushDropped(out);
      AnswerRead(out);
    } else if (byte == ToChar(kProgramCommandByte)) {
      FlushDropped(out);
      frame_.push_back(byte);
      frameStarted_ = now;
    } else {
      dropped_.push_back(byte);
    }
  }
  FlushDropped(out);
  return out;
}

ResponderOutput DeviceResponder::Expire(Clock::time_point now) {
  ResponderOutput out;
  ExpireInto(now, out);
  return out;
}

std::optional<Clock::time_point> DeviceResponder::ExpiryDeadline() const {
  if (frame_.empty()) return std::nullopt;
  return frameStarted_ + kFrameTimeout;
}

void DeviceResponder::ExpireInto(Clock::time_point now, ResponderOutput& out) {
  const auto deadline = ExpiryDeadline();
  if (!deadline || now < *deadline) return;
  out.events.push_back({FrameEvent::Kind::kExpired, frame_});
  frame_.clear();
}

void DeviceResponder::FlushDropped(ResponderOutput& out) {
  if (dropped_.empty()) return;
  out.events.push_back({FrameEvent::Kind::kDropped, dropped_});
  dropped_.clear();
}

void DeviceResponder::AnswerRead(ResponderOutput& out) {
  out.events.push_back({FrameEvent::Kind::kReceived, ReadCommandFrame()});
  const Faults faults = FaultsForNextReply(/*isRead=*/true);
  if (faults.silent) return;
  ByteString reply = ReadReplyFrame(kReadCommandByte, block_);
  if (faults.badChecksum) reply.back() = ToChar(static_cast<std::uint8_t>(reply.back() + 1));
  if (faults.noEcho) ReplaceEcho(reply, 1);
  SendReply(std::move(reply), faults, out);
}

void DeviceResponder::AnswerProgram(ResponderOutput& out) {
  ByteString frame = std::move(frame_);
  frame_.clear();
  out.events.push_back({FrameEvent::Kind::kReceived, frame});
  const Faults faults = FaultsForNextReply(/*isRead=*/false);
  if (faults.silent) return;
  const std::optional<BlockBytes> block = ParseProgramCommand(frame);
  const bool accepted = block.has_value() && !faults.refuse;
  if (accepted) {
    block_ = faults.wrongStore ? WronglyStored(*block) : *block;
    out.events.push_back({FrameEvent::Kind::kStored, ToByteString(block_)});
  }
  frame.push_back(accepted ? ToChar(kAckByte) : kNakByte);
  if (faults.noEcho) ReplaceEcho(frame, kProgramCommandLength);
  SendReply(std::move(frame), faults, out);
}

Faults DeviceResponder::FaultsForNextReply(bool isRead) {
  if (behaviour_.failRate <= 0.0) return behaviour_.faults;
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  if (chance(random_) >= behaviour_.failRate) return behaviour_.faults;
  return Combined(behaviour_.faults, RandomFault(random_, isRead));
}

void DeviceResponder::ReplaceEcho(ByteString& reply, std::size_t echoLength) {
  std::uniform_int_distribution<int> anyByte(0, 255);
  for (std::size_t i = 0; i < echoLength; ++i)
    reply[i] = ToChar(static_cast<std::uint8_t>(anyByte(random_)));
}

void DeviceResponder::SendReply(ByteString reply, const Faults& faults, ResponderOutput& out) {
  if (faults.shortReply) reply.pop_back();
  if (faults.longReply) reply.push_back(kLongReplyExtraByte);
  if (faults.noise) reply.insert(0, kNoiseBytes);
  out.events.push_back({FrameEvent::Kind::kSent, reply});
  out.replies.push_back({std::move(reply), behaviour_.delay});
}

}  // namespace kx14::devsim
