// RTS around each burst in the half-duplex modes, timed on the fake line.
#include <gtest/gtest.h>

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

  std::vector<FakeLine::Event> WriteAndWait(const ByteString& data, std::size_t rtsChanges) {
    const std::size_t before = line.Events().size();
    start = Clock::now();
    EXPECT_TRUE(comm.WriteString(data));
    EXPECT_EQ(ReadFromFd(line.FarFd(), data.size(), milliseconds(3000)), data);
    pump.RunUntil(
        [&] {
          std::size_t changes = 0;
          for (const auto& e : BurstEvents(before)) changes += e.kind != Kind::kWrite;
          return changes >= rtsChanges;
        },
        milliseconds(3000));
    return BurstEvents(before);
  }

  Clock::time_point start;
};

TEST_F(CommHalfDuplex, HighModeRaisesRtsForTheBurstWithLeadAndTurnaround) {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcHalfHigh);
  comm.SetBitRate(1200);  // turnaround 9 ms
  comm.SetBufLenTrans(4);
  comm.Open();
  const auto events = WriteAndWait("twelve bytes", 2);
  ASSERT_GE(events.size(), 5u);
  EXPECT_EQ(events.front().kind, Kind::kRtsOn);
  EXPECT_EQ(events.back().kind, Kind::kRtsOff);
  // One burst: three chunks between one raise and one drop.
  std::size_t writes = 0;
  for (std::size_t i = 1; i + 1 < events.size(); ++i) writes += events[i].kind == Kind::kWrite;
  EXPECT_EQ(writes, events.size() - 2);
  EXPECT_GE(events.front().at - start, milliseconds(50));
  EXPECT_GE(events[1].at - events.front().at, milliseconds(9));
  EXPECT_GE(events.back().at - events[events.size() - 2].at, milliseconds(9));
}

TEST_F(CommHalfDuplex, LowModeDropsRtsForTheBurst) {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcHalfLow);
  comm.Open();
  const auto events = WriteAndWait("x", 2);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, Kind::kRtsOff);
  EXPECT_EQ(events[1].kind, Kind::kWrite);
  EXPECT_EQ(events[2].kind, Kind::kRtsOn);
  EXPECT_GE(events[1].at - start, milliseconds(50 + 2));
}

TEST_F(CommHalfDuplex, FullDuplexNeverTouchesRts) {
  comm.Open();  // cfcNone
  const auto events = WriteAndWait("abc", 0);
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
