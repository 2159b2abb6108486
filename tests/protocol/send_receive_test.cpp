#include "protocol/send_receive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>

#include "comm/poll_message_pump.h"
#include "recording_device_view.h"
#include "golden_vectors.h"
#include "ports/com_ports.h"
#include "protocol/device_operations.h"
#include "protocol/frames.h"
#include "protocol/information_texts.h"
#include "scripted_device.h"
#include "temp_dir.h"

namespace kx14 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::ParseHex;

constexpr int kPortNo = 7;
constexpr std::int32_t kShortTimeout = 400;  // ms: keeps the time-out cases quick

const ByteString kWorkedReply = ParseHex("E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B6");
const ByteString kZerosReply = ParseHex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");

// The component opens COM7 through the user-defined ports directory, which
// points at the slave side of a pty whose master the test scripts.
class SendReceiveOverPty : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto portsDir = configHome_.path() / "kx14-manager" / "ports";
    std::filesystem::create_directories(portsDir);
    std::filesystem::create_symlink(farEnd.SlavePath(),
                                    portsDir / ("COM" + std::to_string(kPortNo)));
    ::setenv("XDG_CONFIG_HOME", configHome_.path().c_str(), 1);
    comm.SetPortResolver(ResolveMachinePort);
    comm.SetPortNo(kPortNo);
    comm.SetTimeOutReceive(kShortTimeout);
  }

  void TearDown() override { comm.Close(); }

  testing::TempDir configHome_;
  testing::ScriptedDevice farEnd;
  PollMessagePump pump;
  TCommX comm{pump};
};

TEST_F(SendReceiveOverPty, CompleteReplyWithZeroBytesFillsBothStrings) {
  comm.Open();
  const ByteString answer = ParseHex("00 5A 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 5A");
  farEnd.ExpectCommand(1, answer);
  ByteString command = ReadCommandFrame();
  ByteString reply = "stale";
  SendReceive(comm, command, 18, reply);
  EXPECT_EQ(reply, answer);
  EXPECT_EQ(command, answer);
  EXPECT_EQ(farEnd.Received(), ParseHex("E5"));
}

TEST_F(SendReceiveOverPty, OneStringForCommandAndReplyIsSentBeforeItIsReplaced) {
  comm.Open();
  farEnd.ExpectCommand(1, kWorkedReply);
  ByteString both = ReadCommandFrame();
  SendReceive(comm, both, 18, both);
  EXPECT_EQ(farEnd.Received(), ParseHex("E5"));
  EXPECT_EQ(both, kWorkedReply);
}

TEST_F(SendReceiveOverPty, OneByteShortGivesBothEmptyAfterTheTimeout) {
  comm.Open();
  farEnd.ExpectCommand(1, kWorkedReply.substr(0, 17));
  ByteString command = ReadCommandFrame();
  ByteString reply;
  const auto start = Clock::now();
  SendReceive(comm, command, 18, reply);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(kShortTimeout - 100));
  EXPECT_TRUE(reply.empty());
  EXPECT_TRUE(command.empty());
}

TEST_F(SendReceiveOverPty, SilenceGivesBothEmptyAfterTheTimeout) {
  comm.Open();
  ByteString command = ReadCommandFrame();
  ByteString reply;
  const auto start = Clock::now();
  SendReceive(comm, command, 18, reply);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(kShortTimeout - 100));
  EXPECT_TRUE(reply.empty());
  EXPECT_TRUE(command.empty());
}

// The bytes beyond the reply stay in the input until the next exchange's
// purge drops them; they must not lead the next reply.
TEST_F(SendReceiveOverPty, TooLongReplyKeepsItsHeadAndTheNextPurgeDropsTheRest) {
  comm.Open();
  farEnd.ExpectCommand(1, kWorkedReply + ParseHex("AA BB"));
  ByteString command = ReadCommandFrame();
  ByteString reply;
  SendReceive(comm, command, 18, reply);
  EXPECT_EQ(reply, kWorkedReply);

  farEnd.ExpectCommand(1, kZerosReply);
  command = ReadCommandFrame();
  SendReceive(comm, command, 18, reply);
  EXPECT_EQ(reply, kZerosReply);
}

TEST_F(SendReceiveOverPty, BytesWaitingBeforeTheExchangeAreDiscarded) {
  comm.Open();
  farEnd.Send(ParseHex("11 22 33 44 55"));
  ASSERT_TRUE(pump.RunUntil([&] { return comm.ReceiveCount() >= 5; }, 5s));
  farEnd.ExpectCommand(1, kWorkedReply);
  ByteString command = ReadCommandFrame();
  ByteString reply;
  SendReceive(comm, command, 18, reply);
  EXPECT_EQ(reply, kWorkedReply);
}

TEST_F(SendReceiveOverPty, ReplyLengthZeroSendsAndReturnsWithBothEmpty) {
  comm.Open();
  const ByteString program = ParseHex("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1");
  ByteString command = program;
  ByteString reply = "stale";
  const auto start = Clock::now();
  SendReceive(comm, command, 0, reply);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kShortTimeout));
  EXPECT_TRUE(reply.empty());
  EXPECT_TRUE(command.empty());
  EXPECT_EQ(farEnd.WaitReceived(program.size()), program);
}

TEST_F(SendReceiveOverPty, ClosedPortReturnsAtOnceWithBothEmpty) {
  comm.SetTimeOutReceive(3000);
  ByteString command = ReadCommandFrame();
  ByteString reply = "stale";
  const auto start = Clock::now();
  SendReceive(comm, command, 18, reply);
  EXPECT_LT(Clock::now() - start, 1500ms);  // far below the 3000 ms time-out
  EXPECT_TRUE(reply.empty());
  EXPECT_TRUE(command.empty());
}

class OutOfRangeReplyLength : public SendReceiveOverPty,
                              public ::testing::WithParamInterface<int> {};

// A reply that cannot fit the receive buffer is refused before anything
// reaches the wire: the next command is the first thing the device sees.
TEST_P(OutOfRangeReplyLength, SendsNothingAndGivesBothEmpty) {
  comm.Open();
  ByteString command = ParseHex("F5 01 02");
  ByteString reply = "stale";
  SendReceive(comm, command, GetParam(), reply);
  EXPECT_TRUE(reply.empty());
  EXPECT_TRUE(command.empty());

  farEnd.ExpectCommand(1, kWorkedReply);
  command = ReadCommandFrame();
  SendReceive(comm, command, 18, reply);
  EXPECT_EQ(reply, kWorkedReply);
  EXPECT_EQ(farEnd.Received(), ParseHex("E5"));
}

INSTANTIATE_TEST_SUITE_P(Lengths, OutOfRangeReplyLength, ::testing::Values(-1, 257, 1 << 20));

TEST_F(SendReceiveOverPty, FullBufferLengthIsReceived) {
  comm.Open();
  ByteString answer;
  for (int i = 0; i < kReceiveBufferSize; ++i) answer.push_back(static_cast<char>(i));
  farEnd.ExpectCommand(1, answer);
  ByteString command = ReadCommandFrame();
  ByteString reply;
  SendReceive(comm, command, kReceiveBufferSize, reply);
  EXPECT_EQ(reply, answer);
}

// The window's side of the operations over a real port: the fake's
// controls, the real exchange.
class PtyDeviceView : public testing::RecordingDeviceView {
 public:
  explicit PtyDeviceView(TCustomCommX& port) : port_(port) {}
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override {
    calls.push_back("Exchange");
    commandsSent.push_back(command);
    kx14::SendReceive(port_, command, replyLength, reply);
  }

 private:
  TCustomCommX& port_;
};

TEST_F(SendReceiveOverPty, WorkedExampleReadPresetAndProgramOverTheWire) {
  comm.Open();
  PtyDeviceView view(comm);
  TDeviceOperations operations(view);
  const ByteString program = ParseHex("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1");

  farEnd.ExpectCommand(1, kWorkedReply);
  EXPECT_EQ(operations.Read(), TOperationOutcome::ooReadSucceeded);
  view.ClickPreset(THandicapPreset::Handy3);  // overtake count 8
  farEnd.ExpectCommand(1, kWorkedReply);
  farEnd.ExpectCommand(18, program + ParseHex("06"));  // the device echoes, then acknowledges
  EXPECT_EQ(operations.Program(), TOperationOutcome::ooProgramSucceeded);

  EXPECT_EQ(farEnd.Received(), ParseHex("E5 E5") + program);
  EXPECT_THAT(view.informationShown,
              ::testing::ElementsAre(std::string(info_text::kReadSucceeded),
                                     std::string(info_text::kReadSucceeded),
                                     std::string(info_text::kProgramSucceeded)));
}

}  // namespace
}  // namespace kx14
