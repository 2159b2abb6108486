#include "fuzz/properties/device_responder_properties.h"

#include <string>

#include "fuzz/properties/frame_properties.h"
#include "fuzz/properties/fuzz_input.h"
#include "protocol/checksum.h"
#include "protocol/frames.h"
#include "protocol/parameter_block.h"
#include "tools/devsim/device_responder.h"

namespace kx14::fuzz {
namespace {

using devsim::Behaviour;
using devsim::Clock;
using devsim::DeviceResponder;
using devsim::FrameEvent;
using devsim::ResponderOutput;
using Kind = FrameEvent::Kind;

constexpr std::chrono::milliseconds kTimeStep{300};

Behaviour BehaviourFrom(FuzzInput& in) {
  const std::uint8_t bits = in.TakeByte();
  Behaviour behaviour;
  behaviour.faults.silent = (bits & 0x01) != 0;
  behaviour.faults.shortReply = (bits & 0x02) != 0;
  behaviour.faults.longReply = (bits & 0x04) != 0;
  behaviour.faults.badChecksum = (bits & 0x08) != 0;
  behaviour.faults.refuse = (bits & 0x10) != 0;
  behaviour.faults.noise = (bits & 0x20) != 0;
  static constexpr double kRates[] = {0.0, 0.25, 0.5, 1.0};
  behaviour.failRate = kRates[bits >> 6];
  behaviour.seed = in.TakeByte();
  return behaviour;
}

bool IsFaultless(const Behaviour& b) { return b.faults == devsim::Faults{} && b.failRate <= 0.0; }

bool IsProgramFrameWithValidChecksum(const ByteString& frame) {
  if (frame.size() != kFrameSize || static_cast<std::uint8_t>(frame[0]) != kProgramCommandByte) {
    return false;
  }
  unsigned sum = 0;
  for (std::size_t i = 1; i + 1 < kFrameSize; ++i) sum += static_cast<std::uint8_t>(frame[i]);
  return static_cast<std::uint8_t>(sum % 256) == static_cast<std::uint8_t>(frame.back());
}

class ResponderRun {
 public:
  ResponderRun(const Behaviour& behaviour, PropertyReport& report)
      : responder_(devsim::kWorkedExampleBlock, behaviour),
        faultless_(IsFaultless(behaviour)),
        held_(devsim::kWorkedExampleBlock),
        report_(report) {}

  void Feed(std::string_view bytes, Clock::time_point now) {
    fed_.append(bytes);
    Check(responder_.Receive(bytes, now));
  }

  // Gives up a program frame still incomplete, so every byte is accounted for.
  void Finish(Clock::time_point now) {
    Check(responder_.Expire(now + devsim::kFrameTimeout + kTimeStep));
    report_.Expect(!responder_.ExpiryDeadline().has_value(),
                   "an incomplete program frame is given up when its time is up");
    report_.Expect(accounted_ == fed_,
                   "every byte from the host is received, dropped or expired once, in order", [&] {
                     return "fed " + Printable(fed_) + ", accounted " + Printable(accounted_);
                   });
  }

  const std::string& Fed() const { return fed_; }

 private:
  void Check(const ResponderOutput& out) {
    std::size_t sent = 0;
    for (std::size_t i = 0; i < out.events.size(); ++i) {
      const FrameEvent& event = out.events[i];
      switch (event.kind) {
        case Kind::kReceived:
          lastReceived_ = event.bytes;
          [[fallthrough]];
        case Kind::kDropped:
        case Kind::kExpired:
          accounted_.append(event.bytes);
          break;
        case Kind::kStored:
          CheckStored(event.bytes, i > 0 && out.events[i - 1].kind == Kind::kReceived);
          break;
        case Kind::kSent:
          report_.Expect(sent < out.replies.size() && out.replies[sent].bytes == event.bytes,
                         "every reply is logged as sent, in order",
                         [&] { return Printable(event.bytes); });
          ++sent;
          if (faultless_) CheckFaultlessAnswer(event.bytes);
          break;
      }
    }
    report_.Expect(sent == out.replies.size(), "every reply is logged as sent");
    report_.Expect(responder_.Block() == held_, "the device holds the last block it stored");
  }

  void CheckStored(const ByteString& stored, bool rightAfterItsFrame) {
    const bool valid = rightAfterItsFrame && IsProgramFrameWithValidChecksum(lastReceived_) &&
                       stored == lastReceived_.substr(1, 16);
    report_.Expect(
        valid, "only the block of a program frame with a matching checksum is stored",
        [&] { return "stored " + Printable(stored) + " after " + Printable(lastReceived_); });
    if (stored.size() == held_.size()) {
      for (std::size_t i = 0; i < held_.size(); ++i) {
        held_[i] = static_cast<std::uint8_t>(stored[i]);
      }
    }
  }

  // Without faults the device echoes the command and answers it exactly.
  void CheckFaultlessAnswer(const ByteString& reply) {
    ByteString expected;
    if (lastReceived_ == ReadCommandFrame()) {
      expected = ReadReplyFrame(kReadCommandByte, held_);
    } else {
      const bool valid = IsProgramFrameWithValidChecksum(lastReceived_);
      expected = lastReceived_ + static_cast<char>(valid ? kAckByte : devsim::kNakByte);
      report_.Expect(!valid || ToByteString(held_) == lastReceived_.substr(1, 16),
                     "a device without faults stores every block it acknowledges",
                     [&] { return Printable(lastReceived_); });
    }
    report_.Expect(reply == expected, "a device without faults gives the exact answer", [&] {
      return "to " + Printable(lastReceived_) + " it sent " + Printable(reply);
    });
  }

  DeviceResponder responder_;
  const bool faultless_;
  BlockBytes held_;  // the block the device should hold
  ByteString lastReceived_;
  std::string fed_;
  std::string accounted_;
  PropertyReport& report_;
};

}  // namespace

PropertyReport CheckDeviceResponder(std::span<const std::uint8_t> input) {
  PropertyReport report;
  FuzzInput in(input);
  ResponderRun run(BehaviourFrom(in), report);
  Clock::time_point now{};  // a fake clock: only differences matter
  while (!in.Empty()) {
    const std::uint8_t header = in.TakeByte();
    now += kTimeStep * ((header >> 5) & 0x03);
    ByteString chunk = in.TakeBytes(header & 0x1F);
    if ((header & 0x80) != 0) {
      // The fuzzer rarely guesses a checksum; this lets it close a frame.
      const std::string& fed = run.Fed();
      std::string recent = fed.substr(fed.size() > 16 ? fed.size() - 16 : 0) + chunk;
      recent.erase(0, recent.size() > 16 ? recent.size() - 16 : 0);
      chunk.push_back(static_cast<char>(CheckSum(recent)));
    }
    run.Feed(chunk, now);
  }
  run.Finish(now);
  return report;
}

}  // namespace kx14::fuzz
