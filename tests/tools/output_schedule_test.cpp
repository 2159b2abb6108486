#include "tools/devsim/output_schedule.h"

#include <gtest/gtest.h>

namespace kx14::devsim {
namespace {

using namespace std::chrono_literals;

const Clock::time_point kStart = Clock::time_point{} + 1h;

TEST(ByteTimeAtBaud, TenBitTimesPerByte) {
  EXPECT_EQ(ByteTimeAtBaud(9600), 1'041'666ns);
  EXPECT_EQ(ByteTimeAtBaud(115200), 86'805ns);
  EXPECT_EQ(ByteTimeAtBaud(0), 0ns);
  EXPECT_EQ(ByteTimeAtBaud(-1), 0ns);
}

TEST(OutputSchedule, UnpacedBytesAreDueAtOnce) {
  OutputSchedule schedule;
  EXPECT_FALSE(schedule.NextDue().has_value());
  schedule.Add("abc", kStart);
  EXPECT_EQ(schedule.NextDue(), kStart);
  EXPECT_EQ(schedule.TakeDue(kStart - 1ns), "");
  EXPECT_EQ(schedule.TakeDue(kStart), "abc");
  EXPECT_FALSE(schedule.NextDue().has_value());
}

TEST(OutputSchedule, DelayedReplyWaitsAndALaterOneDoesNotOvertake) {
  OutputSchedule schedule;
  schedule.Add("first", kStart + 100ms);
  schedule.Add("second", kStart);  // shorter delay, queued later
  EXPECT_EQ(schedule.TakeDue(kStart + 99ms), "");
  EXPECT_EQ(schedule.TakeDue(kStart + 100ms), "firstsecond");
}

TEST(OutputSchedule, PacedBytesAreSpacedByTheByteTime) {
  OutputSchedule schedule(ByteTimeAtBaud(9600));
  const ByteString reply(18, 'x');
  schedule.Add(reply, kStart);
  const auto byteTime = ByteTimeAtBaud(9600);
  EXPECT_EQ(schedule.TakeDue(kStart), "x");
  EXPECT_EQ(schedule.NextDue(), kStart + byteTime);
  EXPECT_EQ(schedule.TakeDue(kStart + 5 * byteTime).size(), 5u);
  // 18 bytes at 9600 bit/s take 17 byte times after the first: about 17.7 ms.
  EXPECT_EQ(schedule.TakeDue(kStart + 17 * byteTime - 1ns).size(), 11u);
  EXPECT_EQ(schedule.TakeDue(kStart + 17 * byteTime).size(), 1u);
}

TEST(OutputSchedule, PacingContinuesAcrossRepliesButNotAfterIdle) {
  OutputSchedule schedule(1ms);
  schedule.Add("ab", kStart);
  schedule.Add("c", kStart);  // follows b by one byte time
  EXPECT_EQ(schedule.TakeDue(kStart + 1ms), "ab");
  EXPECT_EQ(schedule.NextDue(), kStart + 2ms);
  EXPECT_EQ(schedule.TakeDue(kStart + 2ms), "c");
  schedule.Add("d", kStart + 1s);  // the line was idle: no catching up owed
  EXPECT_EQ(schedule.NextDue(), kStart + 1s);
}

}  // namespace
}  // namespace kx14::devsim
