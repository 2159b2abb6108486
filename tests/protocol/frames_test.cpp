#include "protocol/frames.h"

#include <gtest/gtest.h>

#include "golden_vectors.h"
#include "protocol/checksum.h"

namespace kx14 {
namespace {

using test::ParseBlockHex;
using test::ParseHex;

const BlockBytes kWorkedBlock = ParseBlockHex("5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51");

// The leading byte of a read reply is not examined: any value, including the
// echoed command and values that would upset a checksum that counted it.
class WorkedReadReply : public testing::TestWithParam<std::uint8_t> {};

TEST_P(WorkedReadReply, ParsesToTheDeviceBlock) {
  ByteString reply(1, static_cast<char>(GetParam()));
  reply += ParseHex("5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B6");
  const auto block = ParseReadReply(reply);
  ASSERT_TRUE(block.has_value());
  EXPECT_EQ(*block, kWorkedBlock);

  BlockControls expected;
  expected.bup5Ah = true;
  expected.yourId = 1;
  expected.myId = 2;
  expected.otMax = 5;
  expected.otTime = 3;
  expected.maxPwr = 74;
  EXPECT_EQ(DecodeBlock(*block), expected);
}

TEST_P(WorkedReadReply, IsWhatTheDeviceSideBuilds) {
  ByteString expected(1, static_cast<char>(GetParam()));
  expected += ParseHex("5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B6");
  EXPECT_EQ(ReadReplyFrame(GetParam(), kWorkedBlock), expected);
}

INSTANTIATE_TEST_SUITE_P(LeadBytes, WorkedReadReply, testing::Values(0x00, 0xE5, 0x01, 0xFF, 0x4A));

TEST(WorkedProgram, PresetWithCount8SendsTheListedFrame) {
  BlockControls controls = DecodeBlock(kWorkedBlock);
  controls.otMax = 8;     // the preset with the overtake count 8
  controls.overtake = true;    // forced by the program operation
  controls.otTime = 3;   // OT_TIME forced to 3
  controls.maxPwr = 74;  // MAXPWR forced to position 74
  EXPECT_EQ(ProgramCommandFrame(EncodeBlock(controls)),
            ParseHex("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1"));
}

TEST(ReadCommand, IsTheSingleByteE5) { EXPECT_EQ(ReadCommandFrame(), ParseHex("E5")); }

struct RejectedReply {
  const char* name;
  const char* hex;
};

class ReadReplyRejected : public testing::TestWithParam<RejectedReply> {};

TEST_P(ReadReplyRejected, GivesNoBlock) { EXPECT_FALSE(ParseReadReply(ParseHex(GetParam().hex))); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadReplyRejected,
    testing::Values(
        RejectedReply{"Empty", ""},
        RejectedReply{"OneShort", "E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51"},
        RejectedReply{"OneLong", "E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B6 00"},
        RejectedReply{"DataByteChanged", "E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 06 03 51 B6"},
        RejectedReply{"ChecksumChanged", "E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B7"},
        // The right sum, had the lead byte E5 been counted: it must not be.
        RejectedReply{"ChecksumOverLeadByte",
                      "E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 9B"}),
    [](const auto& row) { return std::string(row.param.name); });

struct ProgramReply {
  const char* name;
  ByteString bytes;
  bool accepted;
};

class ProgramReplyCheck : public testing::TestWithParam<ProgramReply> {};

TEST_P(ProgramReplyCheck, AcceptedOnlyAsExactly19BytesEndingInAck) {
  EXPECT_EQ(IsProgramAccepted(GetParam().bytes), GetParam().accepted);
}

const ByteString kEcho = ParseHex("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1");

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramReplyCheck,
    testing::Values(ProgramReply{"EchoThenAck", kEcho + ParseHex("06"), true},
                    ProgramReply{"ZerosThenAck", ByteString(18, '\0') + ParseHex("06"), true},
                    ProgramReply{"Refusal15", kEcho + ParseHex("15"), false},
                    ProgramReply{"EighteenEndingInAck", kEcho.substr(1) + ParseHex("06"), false},
                    ProgramReply{"TwentyEndingInAck", kEcho + ParseHex("06 06"), false},
                    ProgramReply{"Empty", ByteString(), false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ProgramCommand, DeviceSideParsesWhatTheHostBuilds) {
  const BlockBytes block = ParseBlockHex("00 AB CD EF 01 23 45 09 10 20 30 40 50 60 70 48");
  const auto parsed = ParseProgramCommand(ProgramCommandFrame(block));
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(*parsed, block);
}

TEST(ProgramCommand, FrameIsCommandBlockAndBlockChecksum) {
  const ByteString frame = ProgramCommandFrame(kWorkedBlock);
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(kProgramCommandLength));
  EXPECT_EQ(static_cast<std::uint8_t>(frame[0]), kProgramCommandByte);
  EXPECT_EQ(frame.substr(1, 16), ToByteString(kWorkedBlock));
  EXPECT_EQ(static_cast<std::uint8_t>(frame[17]), CheckSum(kWorkedBlock));
}

TEST(ProgramCommand, DeviceSideRejectsWrongCommandLengthOrChecksum) {
  ByteString good = ProgramCommandFrame(kWorkedBlock);
  ByteString readLead = good;
  readLead[0] = static_cast<char>(kReadCommandByte);
  ByteString badSum = good;
  badSum[17] = static_cast<char>(badSum[17] + 1);
  EXPECT_FALSE(ParseProgramCommand(readLead));
  EXPECT_FALSE(ParseProgramCommand(badSum));
  EXPECT_FALSE(ParseProgramCommand(good.substr(0, 17)));
  EXPECT_FALSE(ParseProgramCommand(good + ParseHex("00")));
  EXPECT_FALSE(ParseProgramCommand(ByteString()));
}

}  // namespace
}  // namespace kx14
