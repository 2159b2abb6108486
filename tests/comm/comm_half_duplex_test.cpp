// RTS around each burst in the half-duplex modes, timed on the fake line.
#include <gtest/gtest.h>

#include <optional>

#include "tests/comm/comm_fixture.h"

namespace kx14::test {
namespace {

using Kind = FakeLine::Event::Kind;

class CommHalfDuplex : public CommOnFakeLine {
 protected:
  // Events of the burst only: opening and closing also set the lines.
  std::vector<FakeLine::Event> BurstEvents(std::size_t before) {
    auto all = line.Events();
    return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
  }

  // Writes `data`, waits until the far end has it all and, in a half-duplex
  // mode, until RTS is back at `idle` after the last write. The worker may
  // send the data in more than one burst (it can empty its queue before
  // Write has queued the rest), so the events may hold several.
  std::vector<FakeLine::Event> WriteAndWait(const ByteString& data, std::optional<Kind> idle) {
    const std::size_t before = line.Events().size();
    start = Clock::now();
    EXPECT_TRUE(comm.WriteString(data));
    EXPECT_EQ(ReadFromFd(line.FarFd(), data.size(), milliseconds(3000)), data);
    if (idle) {
      EXPECT_TRUE(pump.RunUntil(
          [&] {
            const auto events = BurstEvents(before);
            return !events.empty() && events.back().kind == *idle;
          },
          milliseconds(3000)))
          << "RTS never went back after the last write";
    }
    return BurstEvents(before);
  }

  Clock::time_point start;
};

TEST_F(CommHalfDuplex, HighModeRaisesRtsForEachBurstWithLeadAndTurnaround) {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcHalfHigh);
  comm.SetBitRate(1200);  // turnaround 9 ms
  comm.SetBufLenTrans(4);
  comm.Open();
  const auto events = WriteAndWait("twelve bytes", Kind::kRtsOff);
  ASSERT_GE(events.size(), 3u);
  EXPECT_GE(events.front().at - start, milliseconds(50));
  // Each burst: RTS raised, writes at least the turnaround later, RTS dropped
  // at least the turnaround after its last write.
  std::size_t writes = 0;
  for (std::size_t i = 0; i < events.size();) {
    ASSERT_EQ(events[i].kind, Kind::kRtsOn) << "event " << i;
    std::size_t j = i + 1;
    while (j < events.size() && events[j].kind == Kind::kWrite) ++j;
    ASSERT_GT(j, i + 1) << "a burst without writes at event " << i;
    ASSERT_LT(j, events.size()) << "the last burst never dropped RTS";
    ASSERT_EQ(events[j].kind, Kind::kRtsOff) << "event " << j;
    EXPECT_GE(events[i + 1].at - events[i].at, milliseconds(9));
    EXPECT_GE(events[j].at - events[j - 1].at, milliseconds(9));
    writes += j - i - 1;
    i = j + 1;
  }
  EXPECT_GE(writes, 3u) << "three chunks of at most four bytes";
}

TEST_F(CommHalfDuplex, LowModeDropsRtsForTheBurst) {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcHalfLow);
  comm.Open();
  const auto events = WriteAndWait("x", Kind::kRtsOn);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, Kind::kRtsOff);
  EXPECT_EQ(events[1].kind, Kind::kWrite);
  EXPECT_EQ(events[2].kind, Kind::kRtsOn);
  EXPECT_GE(events[1].at - start, milliseconds(50 + 2));
}

TEST_F(CommHalfDuplex, FullDuplexNeverTouchesRts) {
  comm.Open();  // cfcNone
  const auto events = WriteAndWait("abc", std::nullopt);
  pump.RunFor(milliseconds(100));
  for (const auto& e : line.Events()) {
    if (e.at >= start) {
      EXPECT_EQ(e.kind, Kind::kWrite);
    }
  }
  EXPECT_FALSE(events.empty());
}

}  // namespace
}  // namespace kx14::test
