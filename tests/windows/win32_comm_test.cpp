// The component on the Win32 backend, under Wine, against the Linux
// simulator on a pseudo-terminal linked as a COM port. What the Linux suite
// covers for the shared logic is not repeated: these cases exercise the
// Win32 calls (open, exclusivity, overlapped reads and writes, comm events,
// purges, cancellation).
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "comm/comm_error.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "ports/com_ports.h"
#include "tests/windows/devsim_link.h"

namespace kx14 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The simulator's start block and the read exchange's reply (echo, block,
// checksum).
const std::string kBlock("\x5A\x00\x00\x01\x00\x00\x02\x00\x00\x00\x00\x00\x00\x05\x03\x51", 16);
const std::string kReadReply = "\xE5" + kBlock + "\xB6";
constexpr std::int32_t kTimeout = 400;

class Win32Comm : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!devsim.Available(why)) GTEST_SKIP() << why;
    ASSERT_TRUE(devsim.Control("mode normal"));
    comm.SetPortResolver(ResolveMachinePort);
    comm.SetPortNo(devsim.PortNo());
    comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
    comm.SetTimeOutReceive(kTimeout);
  }

  std::string Exchange(const std::string& command, std::int32_t replySize) {
    comm.PurgeReceive();
    EXPECT_TRUE(comm.WriteString(command));
    std::string reply(static_cast<std::size_t>(replySize), '\0');
    const std::int32_t n = comm.Read(reply.data(), replySize);
    reply.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return reply;
  }

  test::DevsimLink devsim;
  PollMessagePump pump;
  TCommX comm{pump};
};

TEST_F(Win32Comm, OpenFailsForAMissingPortAndForAHeldOne) {
  TCommX other(pump);
  other.SetPortResolver(ResolveMachinePort);
  other.SetPortNo(250);
  EXPECT_THROW(other.Open(), ECommError);  // no such port
  comm.Open();
  other.SetPortNo(devsim.PortNo());
  EXPECT_THROW(other.Open(), ECommError);  // held by `comm`
  EXPECT_FALSE(other.IsOpen());
  comm.Close();
  other.Open();  // free again
  EXPECT_TRUE(other.IsOpen());
}

TEST_F(Win32Comm, ReadExchangeCompleteShortAndSilent) {
  comm.Open();
  EXPECT_EQ(Exchange("\xE5", 18), kReadReply);

  ASSERT_TRUE(devsim.Control("mode short"));
  auto start = Clock::now();
  EXPECT_EQ(Exchange("\xE5", 18), kReadReply.substr(0, 17));
  EXPECT_GE(Clock::now() - start, milliseconds(kTimeout - 20));

  // Nothing at all is a time-out with 0 bytes, never a failure (-1).
  ASSERT_TRUE(devsim.Control("mode silent"));
  start = Clock::now();
  char buffer[18];
  comm.PurgeReceive();
  ASSERT_TRUE(comm.WriteString("\xE5"));
  EXPECT_EQ(comm.Read(buffer, 18), 0);
  EXPECT_GE(Clock::now() - start, milliseconds(kTimeout - 20));
}

// A program frame written in chunks of 5 bytes reaches the device whole and
// in order (it refuses a frame whose checksum does not match).
TEST_F(Win32Comm, ChunkedWriteArrivesInOrder) {
  comm.SetBufLenTrans(5);
  comm.Open();
  std::string block = kBlock;
  block[14] = 0x07;
  std::uint8_t sum = 0;
  for (char c : block) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
  const std::string frame = "\xF5" + block + std::string(1, static_cast<char>(sum));
  const std::size_t stored = devsim.CountInLog("stored");
  EXPECT_EQ(Exchange(frame, 19), frame + "\x06");
  EXPECT_TRUE(devsim.WaitForLog("stored", stored, milliseconds(2000)));
  EXPECT_EQ(Exchange("\xE5", 18).substr(1, 16), block);
  ASSERT_TRUE(devsim.Control("block " + std::string("5A000001000002000000000000050351")));
}

// Received input raises OnReceive through the receive worker's comm-event
// wait; PurgeReceive then empties the input queue.
TEST_F(Win32Comm, ReceiveEventThenPurge) {
  std::int32_t reported = -1;
  comm.OnReceive = [&](TCustomCommX&, std::int32_t size) { reported = size; };
  comm.Open();
  ASSERT_TRUE(comm.WriteString("\xE5"));
  ASSERT_TRUE(
      pump.RunUntil([&] { return comm.ReceiveCount() == 18 && reported > 0; }, milliseconds(5000)))
      << "waiting " << comm.ReceiveCount() << ", reported " << reported;
  comm.PurgeReceive();
  EXPECT_EQ(comm.ReceiveCount(), 0);
  char buffer[18];
  EXPECT_EQ(comm.Read(buffer, 18), 0);
  comm.PurgeTransmit();
  EXPECT_EQ(comm.PendingBytes(), 0);
}

// A handler that closes the port while Read waits ends the read at once
// with -1, and the overlapped operations in flight are cancelled.
TEST_F(Win32Comm, CloseDuringReadEndsIt) {
  comm.SetTimeOutReceive(3000);
  comm.Open();
  ASSERT_TRUE(devsim.Control("mode silent"));
  pump.Post([&] { comm.Close(); });
  char buffer[18];
  const auto start = Clock::now();
  EXPECT_EQ(comm.Read(buffer, 18), -1);
  EXPECT_LT(Clock::now() - start, milliseconds(2000));
  EXPECT_FALSE(comm.IsOpen());
}

}  // namespace
}  // namespace kx14
