// Write: chunking, the chunk limit, and the counters, on the fake line.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/comm/comm_fixture.h"

namespace kx14::test {
namespace {

std::vector<std::size_t> WriteSizes(const FakeLine& line) {
  std::vector<std::size_t> sizes;
  for (const auto& e : line.Events()) {
    if (e.kind == FakeLine::Event::Kind::kWrite) sizes.push_back(e.bytes);
  }
  return sizes;
}

ByteString Counting(std::size_t n) {
  ByteString s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + i / 256);
  return s;
}

TEST_F(CommOnFakeLine, WriteCutsTheDataIntoChunksInOrder) {
  comm.Open();
  const ByteString data = Counting(5000);
  ASSERT_TRUE(comm.WriteString(data));
  EXPECT_EQ(ReadFromFd(line.FarFd(), data.size(), milliseconds(3000)), data);
  ASSERT_TRUE(pump.RunUntil([&] { return comm.PendingBytes() == 0; }, milliseconds(3000)));
  EXPECT_EQ(comm.PendingChunks(), 0);
  EXPECT_EQ(WriteSizes(line), (std::vector<std::size_t>{2048, 2048, 904}));
}

TEST_F(CommOnFakeLine, WriteRefusesAbsentDataAndNegativeCounts) {
  comm.Open();
  EXPECT_FALSE(comm.Write(nullptr, 5));
  const char byte = 'x';
  EXPECT_FALSE(comm.Write(&byte, -1));
  EXPECT_TRUE(comm.Write(nullptr, 0));
  EXPECT_EQ(comm.PendingChunks(), 0);
}

// The worker is held in a notification per chunk (every write fails with a
// framing error) until the window thread handles it, so chunks pile up.
TEST_F(CommOnFakeLine, WriteHoldsAtThirtyTwoChunksWhileWindowMessagesRun) {
  comm.SetBufLenTrans(1);
  comm.Open();
  line.FailWritesWith(0x08);
  std::int32_t mostPending = 0;
  int errors = 0;
  bool writeReturned = false;
  bool ranInsideWrite = false;
  comm.OnError = [&](TCustomCommX& sender, std::int32_t bits) {
    EXPECT_EQ(&sender, &comm);
    EXPECT_EQ(bits, 0x08);
    mostPending = std::max(mostPending, comm.PendingChunks());
    ranInsideWrite = ranInsideWrite || !writeReturned;
    ++errors;
  };
  ASSERT_TRUE(comm.WriteString(ByteString(40, 'w')));
  writeReturned = true;
  EXPECT_TRUE(ranInsideWrite) << "window messages ran while Write waited";
  EXPECT_EQ(mostPending, 32);
  EXPECT_TRUE(
      pump.RunUntil([&] { return errors == 40 && comm.PendingChunks() == 0; }, milliseconds(5000)));
  EXPECT_EQ(comm.PendingBytes(), 0);
}

TEST_F(CommOnFakeLine, PurgeTransmitDoesNotWaitForAnUnhandledErrorNotification) {
  comm.Open();
  line.FailWritesWith(0x02);
  std::vector<std::int32_t> errors;
  comm.OnError = [&](TCustomCommX&, std::int32_t bits) { errors.push_back(bits); };
  ASSERT_TRUE(comm.WriteString("abc"));
  // The worker has found the error and waits for the window thread to handle
  // its notification, while this (window) thread purges without pumping.
  ASSERT_TRUE(WaitUntil([&] { return pump.PendingTasks() > 0; })) << "no error notification came";
  comm.PurgeTransmit();
  EXPECT_EQ(comm.PendingBytes(), 0);
  EXPECT_FALSE(comm.TransmitPurging());
  pump.ProcessMessages();
  EXPECT_EQ(errors, (std::vector<std::int32_t>{0x02}));
}

TEST_F(CommOnFakeLine, CloseDoesNotWaitForAnUnhandledNotification) {
  comm.Open();
  line.FailWritesWith(0x04);
  int errors = 0;
  comm.OnError = [&](TCustomCommX&, std::int32_t) { ++errors; };
  ASSERT_TRUE(comm.WriteString("abc"));
  ASSERT_TRUE(WaitUntil([&] { return pump.PendingTasks() > 0; })) << "no error notification came";
  comm.Close();
  pump.ProcessMessages();
  EXPECT_EQ(errors, 0) << "a notification of a closed port is dropped";
}

TEST_F(CommOnFakeLine, WriteIntoAHungUpLineNeitherCrashesNorHangs) {
  comm.Open();
  line.HangUp();
  EXPECT_TRUE(comm.WriteString(ByteString(10000, 'z')));
  ASSERT_TRUE(pump.RunUntil([&] { return comm.PendingBytes() == 0; }, milliseconds(5000)));
  char buffer[4];
  EXPECT_EQ(comm.Read(buffer, 4), -1);
  comm.Close();
}

}  // namespace
}  // namespace kx14::test
