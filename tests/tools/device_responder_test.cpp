#include "tools/devsim/device_responder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/checksum.h"
#include "protocol/frames.h"
#include "protocol/hex_bytes.h"

namespace kx14::devsim {
namespace {

using namespace std::chrono_literals;
using Kind = FrameEvent::Kind;

ByteString Hex(std::string_view text) { return *ParseHexBytes(text); }

const ByteString kWorkedReadReply = Hex("E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B6");
const ByteString kWorkedProgram = Hex("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1");
const BlockBytes kProgrammedBlock = {0x5A, 0x00, 0x00, 0x01, 0x00, 0x00, 0x02, 0x08,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x03, 0x51};

// All reply bytes of one Receive call, in order.
ByteString Sent(const ResponderOutput& output) {
  ByteString bytes;
  for (const Reply& reply : output.replies) bytes += reply.bytes;
  return bytes;
}

std::vector<Kind> Kinds(const ResponderOutput& output) {
  std::vector<Kind> kinds;
  for (const FrameEvent& event : output.events) kinds.push_back(event.kind);
  return kinds;
}

class Responder : public ::testing::Test {
 protected:
  ResponderOutput Feed(std::string_view bytes) { return responder_.Receive(bytes, now_); }

  DeviceResponder responder_;
  Clock::time_point now_ = Clock::time_point{} + 1h;
};

TEST_F(Responder, AnswersTheWorkedExampleByteForByte) {
  const ResponderOutput out = Feed(Hex("E5"));
  EXPECT_EQ(Sent(out), kWorkedReadReply);
  ASSERT_EQ(out.events.size(), 2u);
  EXPECT_EQ(out.events[0], (FrameEvent{Kind::kReceived, Hex("E5")}));
  EXPECT_EQ(out.events[1], (FrameEvent{Kind::kSent, kWorkedReadReply}));
  EXPECT_EQ(ParseReadReply(Sent(out)), kWorkedExampleBlock);
}

TEST_F(Responder, ProgramStoresTheBlockAndAcknowledges) {
  const ResponderOutput out = Feed(kWorkedProgram);
  EXPECT_EQ(Sent(out), kWorkedProgram + "\x06");
  EXPECT_TRUE(IsProgramAccepted(Sent(out)));
  EXPECT_EQ(Kinds(out), (std::vector<Kind>{Kind::kReceived, Kind::kStored, Kind::kSent}));
  EXPECT_EQ(out.events[1].bytes, ToByteString(kProgrammedBlock));
  EXPECT_EQ(responder_.Block(), kProgrammedBlock);
  EXPECT_EQ(ParseReadReply(Sent(Feed(Hex("E5")))), kProgrammedBlock);
}

TEST_F(Responder, ProgramWithBadChecksumIsRefusedAndNotStored) {
  ByteString frame = kWorkedProgram;
  frame.back() = '\xC2';
  const ResponderOutput out = Feed(frame);
  EXPECT_EQ(Sent(out), frame + "\x15");
  EXPECT_FALSE(IsProgramAccepted(Sent(out)));
  EXPECT_EQ(Kinds(out), (std::vector<Kind>{Kind::kReceived, Kind::kSent}));
  EXPECT_EQ(responder_.Block(), kWorkedExampleBlock);
}

TEST_F(Responder, EveryByteValuePassesThroughTheBlock) {
  BlockBytes block{};
  for (std::size_t i = 0; i < block.size(); ++i) {
    block[i] = static_cast<std::uint8_t>(i * 17);  // 00 11 ... FF, with E5 / F5 look-alikes
  }
  block[3] = 0xE5;
  block[4] = 0xF5;
  const ResponderOutput out = Feed(ProgramCommandFrame(block));
  EXPECT_TRUE(IsProgramAccepted(Sent(out)));
  EXPECT_EQ(responder_.Block(), block);
}

TEST_F(Responder, FrameSplitAcrossReadsIsCollected) {
  const ByteString frame = kWorkedProgram;
  EXPECT_TRUE(Feed(frame.substr(0, 1)).replies.empty());
  EXPECT_TRUE(Feed(frame.substr(1, 9)).replies.empty());
  EXPECT_EQ(Sent(Feed(frame.substr(10))), frame + "\x06");
}

TEST_F(Responder, GarbageIsDroppedUntilTheNextCommand) {
  const ResponderOutput out = Feed(Hex("00 12 06 15") + Hex("E5") + Hex("AA"));
  EXPECT_EQ(Sent(out), kWorkedReadReply);
  ASSERT_EQ(out.events.size(), 4u);
  EXPECT_EQ(out.events[0], (FrameEvent{Kind::kDropped, Hex("00 12 06 15")}));
  EXPECT_EQ(out.events[1].kind, Kind::kReceived);
  EXPECT_EQ(out.events[3], (FrameEvent{Kind::kDropped, Hex("AA")}));
}

TEST_F(Responder, TwoCommandsInOneReadGetTwoReplies) {
  const ResponderOutput out = Feed(Hex("E5") + kWorkedProgram + Hex("E5"));
  ASSERT_EQ(out.replies.size(), 3u);
  EXPECT_EQ(out.replies[0].bytes, kWorkedReadReply);
  EXPECT_EQ(out.replies[1].bytes, kWorkedProgram + "\x06");
  EXPECT_EQ(ParseReadReply(out.replies[2].bytes), kProgrammedBlock);
}

TEST_F(Responder, IncompleteProgramFrameExpires) {
  Feed(kWorkedProgram.substr(0, 5));
  ASSERT_EQ(responder_.ExpiryDeadline(), now_ + kFrameTimeout);
  EXPECT_TRUE(responder_.Expire(now_ + kFrameTimeout - 1ms).events.empty());
  const ResponderOutput expired = responder_.Expire(now_ + kFrameTimeout);
  EXPECT_EQ(expired.events,
            (std::vector<FrameEvent>{{Kind::kExpired, kWorkedProgram.substr(0, 5)}}));
  EXPECT_FALSE(responder_.ExpiryDeadline().has_value());
  now_ += kFrameTimeout;
  EXPECT_EQ(Sent(Feed(Hex("E5"))), kWorkedReadReply);
}

TEST_F(Responder, LateBytesDoNotCompleteAnExpiredFrame) {
  Feed(kWorkedProgram.substr(0, 10));
  now_ += kFrameTimeout + 1ms;
  // The expiry is checked before the new bytes: they start no command.
  const ResponderOutput out = Feed(kWorkedProgram.substr(10));
  EXPECT_EQ(Kinds(out), (std::vector<Kind>{Kind::kExpired, Kind::kDropped}));
  EXPECT_TRUE(out.replies.empty());
  EXPECT_EQ(responder_.Block(), kWorkedExampleBlock);
}

struct FaultCase {
  const char* name;
  Faults faults;
  ByteString readReply;     // what E5 gets
  ByteString programReply;  // what the worked program frame gets
  bool stored;
};

class ResponderFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ResponderFaults, ShapeTheReplies) {
  const FaultCase& c = GetParam();
  DeviceResponder responder(kWorkedExampleBlock, Behaviour{c.faults});
  const Clock::time_point now{};
  EXPECT_EQ(Sent(responder.Receive(Hex("E5"), now)), c.readReply);
  EXPECT_EQ(Sent(responder.Receive(kWorkedProgram, now)), c.programReply);
  EXPECT_EQ(responder.Block() == kProgrammedBlock, c.stored);
}

const ByteString kNoise(kNoiseBytes);

INSTANTIATE_TEST_SUITE_P(
    Table, ResponderFaults,
    ::testing::Values(
        FaultCase{"normal", {}, kWorkedReadReply, kWorkedProgram + "\x06", true},
        FaultCase{"silent", {.silent = true}, "", "", false},
        FaultCase{
            "short", {.shortReply = true}, kWorkedReadReply.substr(0, 17), kWorkedProgram, true},
        FaultCase{"long",
                  {.longReply = true},
                  kWorkedReadReply + '\0',
                  kWorkedProgram + "\x06" + '\0',
                  true},
        FaultCase{"badChecksum",
                  {.badChecksum = true},
                  kWorkedReadReply.substr(0, 17) + "\xB7",
                  kWorkedProgram + "\x06",
                  true},
        FaultCase{"refuse", {.refuse = true}, kWorkedReadReply, kWorkedProgram + "\x15", false},
        FaultCase{"noise",
                  {.noise = true},
                  kNoise + kWorkedReadReply,
                  kNoise + kWorkedProgram + "\x06",
                  true},
        FaultCase{"noiseAndShort",
                  {.shortReply = true, .noise = true},
                  kNoise + kWorkedReadReply.substr(0, 17),
                  kNoise + kWorkedProgram,
                  true}),
    [](const ::testing::TestParamInfo<FaultCase>& row) { return std::string(row.param.name); });

TEST(ResponderBehaviour, FaultyRepliesFailTheHostsChecks) {
  for (const Faults faults :
       {Faults{.shortReply = true}, Faults{.badChecksum = true}, Faults{.noise = true}}) {
    DeviceResponder responder(kWorkedExampleBlock, Behaviour{faults});
    const ResponderOutput out = responder.Receive(Hex("E5"), {});
    EXPECT_FALSE(ParseReadReply(Sent(out)).has_value()) << FaultNames(faults);
  }
  DeviceResponder longReplies(kWorkedExampleBlock, Behaviour{Faults{.longReply = true}});
  // The host reads its 18 bytes; the extra byte waits for the next purge.
  EXPECT_EQ(ParseReadReply(Sent(longReplies.Receive(Hex("E5"), {})).substr(0, 18)),
            kWorkedExampleBlock);
}

TEST(ResponderBehaviour, WrongStoreAcknowledgesButHoldsADifferentBlock) {
  DeviceResponder responder(kWorkedExampleBlock, Behaviour{Faults{.wrongStore = true}});
  const ResponderOutput out = responder.Receive(kWorkedProgram, {});
  EXPECT_EQ(Sent(out), kWorkedProgram + "\x06");
  BlockBytes expected = kProgrammedBlock;
  expected[kWrongStoreIndex] ^= kWrongStoreFlip;
  EXPECT_EQ(responder.Block(), expected);
  // The log tells what the device really holds.
  EXPECT_EQ(out.events[1], (FrameEvent{Kind::kStored, ToByteString(expected)}));
  EXPECT_EQ(ParseReadReply(Sent(responder.Receive(Hex("E5"), {}))), expected);
}

TEST(ResponderBehaviour, DelayTravelsWithEachReply) {
  DeviceResponder responder(kWorkedExampleBlock, Behaviour{.faults = {}, .delay = 250ms});
  const ResponderOutput out = responder.Receive(Hex("E5 E5"), {});
  ASSERT_EQ(out.replies.size(), 2u);
  EXPECT_EQ(out.replies[0].delay, 250ms);
  EXPECT_EQ(out.replies[1].delay, 250ms);
}

TEST(ResponderBehaviour, FailRateOneFaultsEveryReplyAndZeroNone) {
  DeviceResponder always(kWorkedExampleBlock, Behaviour{.faults = {}, .failRate = 1.0, .seed = 7});
  DeviceResponder never(kWorkedExampleBlock, Behaviour{.faults = {}, .failRate = 0.0, .seed = 7});
  for (int i = 0; i < 50; ++i) {
    EXPECT_NE(Sent(always.Receive(Hex("E5"), {})), kWorkedReadReply) << i;
    EXPECT_EQ(Sent(never.Receive(Hex("E5"), {})), kWorkedReadReply) << i;
  }
}

TEST(ResponderBehaviour, RandomFaultsRepeatWithTheSeed) {
  const auto run = [](std::uint32_t seed) {
    DeviceResponder responder(kWorkedExampleBlock,
                              Behaviour{.faults = {}, .failRate = 0.5, .seed = seed});
    std::vector<ByteString> replies;
    for (int i = 0; i < 40; ++i) replies.push_back(Sent(responder.Receive(Hex("E5"), {})));
    return replies;
  };
  const std::vector<ByteString> first = run(3);
  EXPECT_EQ(run(3), first);
  EXPECT_NE(run(4), first);
  const auto good = std::count(first.begin(), first.end(), kWorkedReadReply);
  EXPECT_GT(good, 5);
  EXPECT_LT(good, 35);
}

TEST(ResponderBehaviour, ChangedBehaviourAppliesToTheNextReply) {
  DeviceResponder responder;
  responder.SetBehaviour(Behaviour{Faults{.silent = true}});
  EXPECT_TRUE(responder.Receive(Hex("E5"), {}).replies.empty());
  responder.SetBehaviour(Behaviour{});
  EXPECT_EQ(Sent(responder.Receive(Hex("E5"), {})), kWorkedReadReply);
}

TEST(ResponderBehaviour, StartsWithTheGivenBlock) {
  const BlockBytes block = {0x00, 0x12, 0x34, 0x56, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFA, 0xFA, 0x76};
  DeviceResponder responder(block);
  const ByteString reply = Sent(responder.Receive(Hex("E5"), {}));
  EXPECT_EQ(ParseReadReply(reply), block);
  EXPECT_EQ(static_cast<std::uint8_t>(reply.back()), CheckSum(ToByteString(block)));
}

}  // namespace
}  // namespace kx14::devsim
