#include "tools/devsim/devsim_options.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "protocol/hex_bytes.h"
#include "tools/devsim/control_command.h"
#include "tools/devsim/frame_log.h"

namespace kx14::devsim {
namespace {

using namespace std::chrono_literals;
using Args = std::vector<std::string>;

TEST(DevsimOptions, DefaultsToTheWorkedExampleAndGoodBehaviour) {
  const DevsimOptions options = ParseDevsimOptions({});
  EXPECT_EQ(options.block, kWorkedExampleBlock);
  EXPECT_EQ(options.behaviour, Behaviour{});
  EXPECT_FALSE(options.comNumber.has_value());
  EXPECT_EQ(options.paceBaud, 0);
  EXPECT_TRUE(options.logFile.empty());
}

TEST(DevsimOptions, ReadsEveryOption) {
  const DevsimOptions options = ParseDevsimOptions(
      {"--com", "7", "--block=00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF", "--log", "f.log",
       "--silent", "--short", "--bad-checksum", "--refuse", "--noise", "--wrong-store",
       "--delay=250", "--pace", "9600", "--fail-rate", "0.25", "--seed", "42"});
  EXPECT_EQ(options.comNumber, 7);
  EXPECT_EQ(options.block, (BlockBytes{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99,
                                       0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}));
  EXPECT_EQ(options.logFile, "f.log");
  EXPECT_EQ(options.behaviour.faults, (Faults{.silent = true,
                                              .shortReply = true,
                                              .badChecksum = true,
                                              .refuse = true,
                                              .noise = true,
                                              .wrongStore = true}));
  EXPECT_EQ(options.behaviour.delay, 250ms);
  EXPECT_EQ(options.paceBaud, 9600);
  EXPECT_DOUBLE_EQ(options.behaviour.failRate, 0.25);
  EXPECT_EQ(options.behaviour.seed, 42u);
  EXPECT_TRUE(ParseDevsimOptions({"--long"}).behaviour.faults.longReply);
  EXPECT_TRUE(ParseDevsimOptions({"--help"}).help);
  EXPECT_TRUE(ParseDevsimOptions({"--version"}).version);
}

class DevsimOptionsRejects : public ::testing::TestWithParam<Args> {};

TEST_P(DevsimOptionsRejects, WithAMessage) {
  EXPECT_THROW(ParseDevsimOptions(GetParam()), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DevsimOptionsRejects,
    ::testing::Values(Args{"--frobnicate"}, Args{"--com"}, Args{"--com", "0"}, Args{"--com", "x"},
                      Args{"--com", "12abc"}, Args{"--block", "5A 00"},
                      Args{"--block", "5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 5"},
                      Args{"--block", "ZZ000001000002000000000000050351"}, Args{"--delay", "-1"},
                      Args{"--seed", "4294967296"}, Args{"--pace", "0"}, Args{"--fail-rate", "1.5"},
                      Args{"--fail-rate", "nan"}, Args{"--fail-rate", "0.5x"},
                      Args{"--short", "--long"}, Args{"--silent=1"}, Args{"stray"}));

TEST(ControlCommand, ParsesEachCommand) {
  EXPECT_EQ(std::get<SetFaults>(ParseControlCommand("mode normal")).faults, Faults{});
  EXPECT_EQ(std::get<SetFaults>(ParseControlCommand("  mode short,noise\r")).faults,
            (Faults{.shortReply = true, .noise = true}));
  EXPECT_EQ(std::get<SetFaults>(ParseControlCommand("mode wrong-store")).faults,
            (Faults{.wrongStore = true}));
  EXPECT_EQ(std::get<SetDelay>(ParseControlCommand("delay 3500")).delay, 3500ms);
  EXPECT_EQ(std::get<SetPace>(ParseControlCommand("pace 9600")).baud, 9600);
  EXPECT_EQ(std::get<SetPace>(ParseControlCommand("pace off")).baud, 0);
  const SetFailRate rate = std::get<SetFailRate>(ParseControlCommand("fail-rate 0.1 9"));
  EXPECT_DOUBLE_EQ(rate.rate, 0.1);
  EXPECT_EQ(rate.seed, 9u);
  EXPECT_FALSE(std::get<SetFailRate>(ParseControlCommand("fail-rate 1")).seed.has_value());
  EXPECT_EQ(
      std::get<SetBlock>(ParseControlCommand("block 5A0000010000020000000000000503 51")).block,
      kWorkedExampleBlock);
  EXPECT_TRUE(std::holds_alternative<Quit>(ParseControlCommand("quit")));
  EXPECT_TRUE(std::holds_alternative<Unregister>(ParseControlCommand("unregister")));
  EXPECT_TRUE(std::holds_alternative<Register>(ParseControlCommand(" register\r")));
}

class ControlCommandRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(ControlCommandRejects, WithAMessage) {
  EXPECT_THROW(ParseControlCommand(GetParam()), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Table, ControlCommandRejects,
                         ::testing::Values("", "jump", "mode", "mode loud", "mode short,",
                                           "mode short,long", "delay", "delay soon", "pace 10",
                                           "fail-rate", "fail-rate 2", "fail-rate 0.5 x",
                                           "block 00", "quit now", "register COM3",
                                           "unregister now"));

TEST(FrameLogFormat, KeywordThenHexBytes) {
  using EventKind = FrameEvent::Kind;
  const ByteString bytes = *ParseHexBytes("E5 00 ff");
  EXPECT_EQ(FormatFrameEvent({EventKind::kReceived, bytes}), "rx E5 00 FF");
  EXPECT_EQ(FormatFrameEvent({EventKind::kSent, bytes}), "tx E5 00 FF");
  EXPECT_EQ(FormatFrameEvent({EventKind::kStored, bytes}), "stored E5 00 FF");
  EXPECT_EQ(FormatFrameEvent({EventKind::kDropped, bytes}), "drop E5 00 FF");
  EXPECT_EQ(FormatFrameEvent({EventKind::kExpired, bytes}), "expired E5 00 FF");
}

TEST(HexBytes, RoundTripsEveryByteValue) {
  ByteString all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(ParseHexBytes(HexBytes(all)), all);
  EXPECT_EQ(HexBytes(""), "");
  EXPECT_EQ(ParseHexBytes("5a:00,ff-01"), ByteString("\x5A\x00\xFF\x01", 4));
  EXPECT_FALSE(ParseHexBytes("5").has_value());
  EXPECT_FALSE(ParseHexBytes("5 A").has_value());
  EXPECT_FALSE(ParseHexBytes("0x5A").has_value());
}

}  // namespace
}  // namespace kx14::devsim
