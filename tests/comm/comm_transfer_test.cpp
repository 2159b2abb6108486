// Moving bytes over a pty: Read completion and time-outs, purges, byte
// transparency, and the far end hanging up.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <array>
#include <thread>

#include "tests/comm/comm_fixture.h"

namespace kx14::test {
namespace {

ByteString AllByteValues() {
  ByteString bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes;
}

const ByteString kTroublesomeBytes("\x00\x11\x13\x0D\x0A\xFF", 6);

// The far end and the window act from tasks, which a Read's wait runs: so
// they act while the Read waits, with no timing involved.
class CommRead : public CommOnPty {
 protected:
  void SetUp() override { comm.Open(); }
};

TEST_F(CommRead, ReturnsCountWhenEverythingArrived) {
  pty.WriteMaster(ByteString(18, 'r'));
  std::array<char, 18> buffer{};
  EXPECT_EQ(comm.Read(buffer.data(), 18), 18);
  EXPECT_EQ(ByteString(buffer.data(), 18), ByteString(18, 'r'));
}

TEST_F(CommRead, CompletesWithBytesThatArriveDuringTheWait) {
  pump.Post([this] {
    pty.WriteMaster("first");
    pump.Post([this] { pty.WriteMaster("second"); });
  });
  std::array<char, 11> buffer{};
  EXPECT_EQ(comm.Read(buffer.data(), 11), 11);
  EXPECT_EQ(ByteString(buffer.data(), 11), "firstsecond");
}

TEST_F(CommRead, ReturnsShortCountAfterTheReceiveTimeOut) {
  pty.WriteMaster(ByteString(10, 'x'));
  std::array<char, 18> buffer{};
  const auto start = Clock::now();
  EXPECT_EQ(comm.Read(buffer.data(), 18), 10);
  EXPECT_GE(ElapsedSince(start), milliseconds(300));
  EXPECT_LT(ElapsedSince(start), milliseconds(2500));
}

TEST_F(CommRead, ReturnsZeroNotMinusOneWhenNothingCame) {
  std::array<char, 18> buffer{};
  const auto start = Clock::now();
  EXPECT_EQ(comm.Read(buffer.data(), 18), 0);
  EXPECT_GE(ElapsedSince(start), milliseconds(300));
}

TEST_F(CommRead, FailsWithoutBufferOrWithNegativeCount) {
  EXPECT_EQ(comm.Read(nullptr, 18), -1);
  char c;
  EXPECT_EQ(comm.Read(&c, -1), -1);
  EXPECT_EQ(comm.Read(&c, 0), 0);
}

TEST_F(CommRead, ReturnsMinusOneWhenAHandlerClosesThePortDuringTheWait) {
  comm.SetTimeOutReceive(3000);
  pump.Post([this] { comm.Close(); });
  std::array<char, 18> buffer{};
  const auto start = Clock::now();
  EXPECT_EQ(comm.Read(buffer.data(), 18), -1);
  EXPECT_LT(ElapsedSince(start), milliseconds(2500));
  EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CommRead, ReturnsMinusOneWhenAHandlerReopensThePortDuringTheWait) {
  comm.SetTimeOutReceive(3000);
  pump.Post([this] {
    comm.Close();
    comm.Open();
  });
  std::array<char, 18> buffer{};
  EXPECT_EQ(comm.Read(buffer.data(), 18), -1);
  EXPECT_TRUE(comm.IsOpen());
}

TEST_F(CommRead, ReturnsMinusOneWhenTheFarEndHangsUp) {
  comm.SetTimeOutReceive(3000);
  pump.Post([this] { pty.CloseMaster(); });
  std::array<char, 18> buffer{};
  const auto start = Clock::now();
  EXPECT_EQ(comm.Read(buffer.data(), 18), -1);
  EXPECT_LT(ElapsedSince(start), milliseconds(2500));
  // Writing into the hung-up line and closing it must neither crash nor hang.
  EXPECT_TRUE(comm.WriteString(ByteString(5000, 'h')));
  comm.Close();
  EXPECT_FALSE(comm.IsOpen());
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A spinning wait would use a whole core; an event-driven one almost none.
// The bound is generous: sanitizer builds and a loaded machine must pass.
constexpr double kIdleCpuShare = 0.05;

TEST_F(CommRead, WaitingForAReplyBurnsAlmostNoCpu) {
  comm.SetTimeOutReceive(1000);
  std::array<char, 18> buffer{};
  const double cpuBefore = ProcessCpuSeconds();
  const auto start = Clock::now();
  EXPECT_EQ(comm.Read(buffer.data(), 18), 0);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_LT(ProcessCpuSeconds() - cpuBefore, kIdleCpuShare * wall);
}

TEST_F(CommRead, UnreadInputKeepsNoThreadBusy) {
  int notifications = 0;
  comm.OnReceive = [&](TCustomCommX&, std::int32_t) { ++notifications; };
  pty.WriteMaster("left unread");
  ASSERT_TRUE(pump.RunUntil([&] { return notifications == 1; }, milliseconds(3000)));
  const double cpuBefore = ProcessCpuSeconds();
  const auto start = Clock::now();
  pump.RunFor(milliseconds(1000));
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_LT(ProcessCpuSeconds() - cpuBefore, kIdleCpuShare * wall);
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(comm.ReceiveCount(), 11);
}

TEST_F(CommOnPty, ReadWhileClosedReturnsMinusOne) {
  char c;
  EXPECT_EQ(comm.Read(&c, 1), -1);
}

TEST_F(CommOnPty, BytesPassUnchangedBothWays) {
  comm.Open();
  const ByteString sent = AllByteValues() + kTroublesomeBytes + "\r\n\r";
  ASSERT_TRUE(comm.WriteString(sent));
  EXPECT_EQ(pty.ReadMaster(sent.size(), milliseconds(2000)), sent);

  pty.WriteMaster(sent);
  ByteString got(sent.size(), '\0');
  ASSERT_EQ(comm.Read(got.data(), static_cast<std::int32_t>(got.size())),
            static_cast<std::int32_t>(sent.size()));
  EXPECT_EQ(got, sent);
}

TEST_F(CommOnPty, PurgeReceiveDiscardsWaitingInput) {
  comm.Open();
  pty.WriteMaster("stale bytes");
  ASSERT_TRUE(pump.RunUntil([this] { return comm.ReceiveCount() == 11; }, milliseconds(2000)));
  comm.PurgeReceive();
  EXPECT_EQ(comm.ReceiveCount(), 0);
  pty.WriteMaster("fresh");
  char buffer[5];
  EXPECT_EQ(comm.Read(buffer, 5), 5);
  EXPECT_EQ(ByteString(buffer, 5), "fresh");
}

TEST_F(CommOnPty, PurgeReceiveFromAHandlerEndsAPendingRead) {
  comm.SetTimeOutReceive(5000);
  comm.Open();
  pump.Post([this] { comm.PurgeReceive(); });  // runs inside the read's wait
  char buffer[4];
  const auto start = Clock::now();
  EXPECT_EQ(comm.Read(buffer, 4), 0);
  EXPECT_LT(ElapsedSince(start), milliseconds(2500)) << "the purge ended it, not the time-out";
}

TEST_F(CommOnPty, PurgeTransmitDropsQueuedOutputForGood) {
  comm.SetBufLenTrans(8192);
  comm.Open();
  // 32 chunks: more than the pty takes while nobody reads the master, so the
  // worker waits for room with chunks still queued.
  const ByteString bulk(32 * 8192, 'q');
  ASSERT_TRUE(comm.WriteString(bulk));
  pump.RunFor(milliseconds(50));
  ASSERT_GT(comm.PendingBytes(), 0);
  comm.PurgeTransmit();
  EXPECT_EQ(comm.PendingBytes(), 0);
  EXPECT_EQ(comm.PendingChunks(), 0);
  EXPECT_FALSE(comm.TransmitPurging());
  const ByteString through = pty.DrainMaster(milliseconds(200));
  EXPECT_LT(through.size(), bulk.size());
  EXPECT_EQ(pty.DrainMaster(milliseconds(300)), "") << "a purged chunk was written later";
}

}  // namespace
}  // namespace kx14::test
