// Received characters, breaks and line errors reach the handlers on the
// window's thread, in the order error, break, received.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/comm/comm_fixture.h"

namespace kx14::test {
namespace {

class CommEvents : public CommOnFakeLine {
 protected:
  void SetUp() override {
    comm.OnReceive = [this](TCustomCommX& sender, std::int32_t size) {
      Record(sender, "receive " + std::to_string(size));
    };
    comm.OnBreak = [this](TCustomCommX& sender) { Record(sender, "break"); };
    comm.OnError = [this](TCustomCommX& sender, std::int32_t bits) {
      Record(sender, "error " + std::to_string(bits));
    };
    comm.Open();
  }

  void Record(TCustomCommX& sender, std::string what) {
    EXPECT_EQ(&sender, &comm);
    EXPECT_EQ(std::this_thread::get_id(), windowThread);
    seen.push_back(std::move(what));
  }

  bool RunUntilSeen(std::size_t n) {
    return pump.RunUntil([&] { return seen.size() >= n; }, milliseconds(3000));
  }

  const std::thread::id windowThread = std::this_thread::get_id();
  std::vector<std::string> seen;
};

TEST_F(CommEvents, ReceivedCharactersRaiseOnReceiveWithTheCount) {
  (void)!write(line.FarFd(), "hello", 5);
  ASSERT_TRUE(RunUntilSeen(1));
  EXPECT_EQ(seen.front(), "receive 5");
  char buffer[5];
  EXPECT_EQ(comm.Read(buffer, 5), 5);
}

TEST_F(CommEvents, LineErrorsComeBeforeTheCharacterTheyArrivedWith) {
  line.InjectLineErrors(0x04 | 0x08, 0xAA);
  ASSERT_TRUE(RunUntilSeen(2));
  EXPECT_EQ(seen, (std::vector<std::string>{"error 12", "receive 1"}));
}

TEST_F(CommEvents, OnlyOverrunParityAndFramingAreReported) {
  line.InjectLineErrors(0x01 | 0x02 | 0x10, 0xAA);
  ASSERT_TRUE(RunUntilSeen(2));
  EXPECT_EQ(seen.front(), "error 2");
}

TEST_F(CommEvents, BreakRaisesOnBreak) {
  line.InjectBreak();
  ASSERT_TRUE(RunUntilSeen(2));
  EXPECT_EQ(seen, (std::vector<std::string>{"break", "receive 1"}));
}

TEST_F(CommEvents, UnreadInputDoesNotKeepTheReceiveWorkerBusy) {
  (void)!write(line.FarFd(), "abc", 3);
  ASSERT_TRUE(RunUntilSeen(1));
  pump.RunFor(milliseconds(300));
  EXPECT_EQ(seen.size(), 1u) << "one arrival, one notification, however long it stays unread";
  (void)!write(line.FarFd(), "d", 1);
  ASSERT_TRUE(RunUntilSeen(2));
  EXPECT_EQ(seen.back(), "receive 4");
}

TEST_F(CommEvents, ArrivalsWhileANotificationWaitsAreReportedAfterIt) {
  (void)!write(line.FarFd(), "a", 1);
  ASSERT_TRUE(WaitUntil([&] { return pump.PendingTasks() == 1 && line.InEventWait(); }))
      << "no notification of the first byte";
  const std::uint32_t waitsBefore = line.EventWaitsBegun();
  (void)!write(line.FarFd(), "b", 1);
  // The worker has seen "b" once it waits again; it must not have posted.
  ASSERT_TRUE(WaitUntil([&] { return line.EventWaitsBegun() > waitsBefore; }))
      << "the worker never woke for the second byte";
  EXPECT_EQ(pump.PendingTasks(), 1u) << "nothing new before the window thread caught up";
  ASSERT_TRUE(RunUntilSeen(2));
  EXPECT_EQ(seen, (std::vector<std::string>{"receive 2", "receive 2"}));
}

// The bytes that arrive while a Read waits are that read's own, as with an
// overlapped read that takes them straight into its buffer. The far end acts
// from a task, which the read's wait runs: so it acts during the wait.
TEST_F(CommEvents, NoReceiveNotificationForTheBytesAReadTakes) {
  pump.Post([this] { (void)!write(line.FarFd(), "reply", 5); });
  char buffer[5];
  EXPECT_EQ(comm.Read(buffer, 5), 5);
  pump.RunFor(milliseconds(200));
  EXPECT_TRUE(seen.empty());
}

TEST_F(CommEvents, BytesBeyondAReadAreReportedWhenItEnds) {
  pump.Post([this] { (void)!write(line.FarFd(), "reply+extra", 11); });
  char buffer[5];
  EXPECT_EQ(comm.Read(buffer, 5), 5);
  ASSERT_TRUE(RunUntilSeen(1));
  EXPECT_EQ(seen, (std::vector<std::string>{"receive 6"}));
}

TEST_F(CommEvents, LineErrorsDuringAReadAreReportedWhenItEnds) {
  pump.Post([this] { line.InjectLineErrors(0x08, 0xAA); });
  char buffer[1];
  EXPECT_EQ(comm.Read(buffer, 1), 1);
  ASSERT_TRUE(RunUntilSeen(1));
  EXPECT_EQ(seen, (std::vector<std::string>{"error 8"}));
}

TEST_F(CommEvents, AMissingHandlerSkipsOnlyItsOwnEvent) {
  comm.OnError = nullptr;
  line.InjectLineErrors(0x08, 0x55);
  ASSERT_TRUE(RunUntilSeen(1));
  EXPECT_EQ(seen, (std::vector<std::string>{"receive 1"}));
  EXPECT_EQ(comm.ReceiveCount(), 1);
}

TEST_F(CommEvents, NotificationOfAClosedPortIsDroppedEvenAfterReopening) {
  (void)!write(line.FarFd(), "x", 1);
  ASSERT_TRUE(WaitUntil([&] { return pump.PendingTasks() > 0; })) << "no notification came";
  comm.Close();
  comm.Open();
  pump.RunFor(milliseconds(100));
  EXPECT_TRUE(seen.empty());
}

TEST(CommDestruction, QueuedNotificationsOutliveTheComponentHarmlessly) {
  PollMessagePump pump;
  FakeLine line;
  auto comm = std::make_unique<TCommX>(pump);
  comm->SetDeviceOpener([&](int) { return line.Open(); });
  int received = 0;
  comm->OnReceive = [&](TCustomCommX&, std::int32_t) { ++received; };
  comm->Open();
  (void)!write(line.FarFd(), "x", 1);
  ASSERT_TRUE(WaitUntil([&] { return pump.PendingTasks() > 0; })) << "no notification came";
  comm.reset();  // with that notification still queued, unhandled
  pump.ProcessMessages();
  EXPECT_EQ(received, 0);
  EXPECT_FALSE(line.IsOpen());
}

TEST_F(CommOnPty, OnReceiveFiresForBytesFromAPty) {
  std::int32_t total = 0;
  comm.OnReceive = [&](TCustomCommX&, std::int32_t size) { total = size; };
  comm.Open();
  pty.WriteMaster("12345");
  ASSERT_TRUE(pump.RunUntil([&] { return total == 5; }, milliseconds(3000)));
}

}  // namespace
}  // namespace kx14::test
