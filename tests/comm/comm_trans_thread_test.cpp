// The transmit worker on its own: its queue takes chunks before the thread
// runs, refuses them once terminated, and every chunk it lets go of (written
// or dropped) brings the counters back down.
#include "comm/comm_trans_thread.h"

#include <gtest/gtest.h>
#include <poll.h>

#include "comm/comm_shared.h"
#include "fake_serial_device.h"
#include "comm/poll_message_pump.h"
#include "pty_pair.h"

namespace kx14 {
namespace {

using std::chrono::milliseconds;

class TransThreadOnFakeLine : public ::testing::Test {
 protected:
  TransThreadOnFakeLine() {
    device = line.Open();
    device->SetTimeouts(CommTimeouts{0, 0, 0, 0, 1000});
  }

  // Counts the way Write does: before posting.
  bool Post(TCommTransThread& worker, const std::string& bytes) {
    const auto n = static_cast<std::int32_t>(bytes.size());
    shared->AddChunk(n);
    if (worker.Post(TCommTransThread::Chunk(bytes.begin(), bytes.end()))) return true;
    shared->WithdrawChunk(n);
    return false;
  }

  PollMessagePump pump;
  FakeLine line;
  std::shared_ptr<SerialDevice> device;
  std::shared_ptr<CommShared> shared = std::make_shared<CommShared>();
  NotificationLink link{&pump, {}, 0};
};

TEST_F(TransThreadOnFakeLine, ChunksPostedBeforeTheThreadRunsAreWrittenInOrder) {
  TCommTransThread worker(shared, device, link);
  ASSERT_TRUE(Post(worker, "first "));
  ASSERT_TRUE(Post(worker, "second"));
  EXPECT_EQ(shared->PendingChunksNow(), 2);
  worker.Start();
  EXPECT_EQ(testing::ReadFromFd(line.FarFd(), 12, milliseconds(3000)), "first second");
  EXPECT_TRUE(pump.RunUntil([&] { return shared->PendingChunksNow() == 0; }, milliseconds(3000)));
  EXPECT_EQ(shared->PendingBytesNow(), 0);
}

TEST_F(TransThreadOnFakeLine, PostAfterTerminateFailsAndLeavesTheCountersAsTheyWere) {
  TCommTransThread worker(shared, device, link);
  worker.Start();
  worker.Terminate();
  worker.Join();
  EXPECT_FALSE(Post(worker, "late"));
  EXPECT_EQ(shared->PendingBytesNow(), 0);
  EXPECT_EQ(shared->PendingChunksNow(), 0);
}

TEST_F(TransThreadOnFakeLine, ChunksStillQueuedAtTheEndAreReleased) {
  TCommTransThread worker(shared, device, link);
  ASSERT_TRUE(Post(worker, "never written"));
  worker.Terminate();  // before it ever ran
  worker.Start();
  worker.Join();
  EXPECT_EQ(shared->PendingBytesNow(), 0);
  EXPECT_EQ(shared->PendingChunksNow(), 0);
  EXPECT_EQ(testing::ReadFromFd(line.FarFd(), 1, milliseconds(100)), "");
}

TEST_F(TransThreadOnFakeLine, DirectWriteOnlyWhileIdleAndFullDuplex) {
  TCommTransThread worker(shared, device, link);
  const std::string bytes = "now";
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  ASSERT_TRUE(Post(worker, "queued "));  // not started: the queue is not empty
  EXPECT_EQ(worker.WriteNowIfIdle(data, bytes.size()), 0u);
  worker.Start();
  ASSERT_TRUE(pump.RunUntil([&] { return shared->PendingChunksNow() == 0; }, milliseconds(3000)));
  // Idle now: the bytes go straight out, behind the queued ones.
  ASSERT_TRUE(pump.RunUntil([&] { return worker.WriteNowIfIdle(data, bytes.size()) == 3; },
                            milliseconds(3000)));
  EXPECT_EQ(testing::ReadFromFd(line.FarFd(), 10, milliseconds(3000)), "queued now");
  shared->flowCtrl = TCommFlowCtrls::cfcHalfHigh;  // the worker must drive RTS
  EXPECT_EQ(worker.WriteNowIfIdle(data, bytes.size()), 0u);
  worker.SetPurging(true);
  shared->flowCtrl = TCommFlowCtrls::cfcNone;
  EXPECT_EQ(worker.WriteNowIfIdle(data, bytes.size()), 0u);
}

}  // namespace
}  // namespace kx14

namespace kx14 {
namespace {

bool Signalled(WakeSignal& signal) {
  pollfd p{static_cast<int>(signal.Handle().native), POLLIN, 0};
  return poll(&p, 1, 0) == 1;
}

// A Write held at the chunk limit sleeps until the room it asked for is
// free: woken sooner it refills one chunk per wake-up, woken later it
// returns late.
TEST(ChunkRoomSignal, FiresOnlyOnceTheWantedRoomIsFree) {
  CommShared shared;
  for (int i = 0; i < kMaxPendingChunks; ++i) shared.AddChunk(10);
  shared.WantChunkRoom(3);
  shared.chunkReleased.Drain();
  shared.ReleaseChunk(10);
  shared.ReleaseChunk(10);
  EXPECT_FALSE(Signalled(shared.chunkReleased)) << "2 free, 3 wanted";
  shared.ReleaseChunk(10);
  EXPECT_TRUE(Signalled(shared.chunkReleased));
}

TEST(ChunkRoomSignal, WantedRoomIsHeldBetweenOneAndHalfTheLimit) {
  CommShared shared;
  for (int i = 0; i < kMaxPendingChunks; ++i) shared.AddChunk(10);
  shared.WantChunkRoom(1000);  // a long Write still wakes at half the limit
  shared.chunkReleased.Drain();
  for (int i = 1; i < CommShared::kChunkRoomMark; ++i) shared.ReleaseChunk(10);
  EXPECT_FALSE(Signalled(shared.chunkReleased));
  shared.ReleaseChunk(10);
  EXPECT_TRUE(Signalled(shared.chunkReleased));

  shared.WantChunkRoom(0);  // never "no room needed": a release still wakes it
  shared.chunkReleased.Drain();
  shared.ReleaseChunk(10);
  EXPECT_TRUE(Signalled(shared.chunkReleased));
}

}  // namespace
}  // namespace kx14
