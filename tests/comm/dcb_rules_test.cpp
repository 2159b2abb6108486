// The property-to-control-block rules.
#include "comm/dcb_rules.h"

#include <gtest/gtest.h>

namespace kx14 {
namespace {

// Each mode hands the line to exactly its own handshake; every mode is
// binary with parity checking, and only the half-duplex "high" mode starts
// with RTS off.
TEST(FlowFlagWord, EachModeHandshakesOnItsOwnLinesOnly) {
  using namespace dcb_flag;
  constexpr std::uint32_t kHandshakes =
      kOutxCtsFlow | kOutxDsrFlow | kOutX | kInX | kDtrControlMask | kRtsControlMask;
  const auto handshake = [&](TCommFlowCtrls flow) { return *FlowFlagWord(flow) & kHandshakes; };
  EXPECT_EQ(handshake(TCommFlowCtrls::cfcRtsCts),
            kOutxCtsFlow | kDtrControlEnable | kRtsControlHandshake);
  EXPECT_EQ(handshake(TCommFlowCtrls::cfcDtrDsr),
            kOutxDsrFlow | kDtrControlHandshake | kRtsControlEnable);
  EXPECT_EQ(handshake(TCommFlowCtrls::cfcXonXoff),
            kOutX | kInX | kDtrControlEnable | kRtsControlEnable);
  EXPECT_EQ(handshake(TCommFlowCtrls::cfcNone), kDtrControlEnable | kRtsControlEnable);
  EXPECT_EQ(handshake(TCommFlowCtrls::cfcHalfLow), kDtrControlEnable | kRtsControlEnable);
  EXPECT_EQ(handshake(TCommFlowCtrls::cfcHalfHigh), kDtrControlEnable | kRtsControlDisable);
  for (int flow = 0; flow <= 5; ++flow) {
    const std::uint32_t word = *FlowFlagWord(static_cast<TCommFlowCtrls>(flow));
    EXPECT_EQ(word & ~kHandshakes, kBinary | kParity) << flow;
  }
}

TEST(FlowFlagWord, ValueOutsideTheEnumerationGivesNothing) {
  EXPECT_FALSE(FlowFlagWord(static_cast<TCommFlowCtrls>(6)).has_value());
  EXPECT_FALSE(ParityCode(static_cast<TCommParityBits>(3)).has_value());
  EXPECT_FALSE(StopBitsCode(static_cast<TCommStopBits>(3)).has_value());
}

TEST(FlowLimit, IsAQuarterOfTheReceiveQueueTruncated) {
  EXPECT_EQ(FlowLimit(2048), 512);
  EXPECT_EQ(FlowLimit(6), 1);
  EXPECT_EQ(FlowLimit(2), 0);
  EXPECT_EQ(FlowLimit(3 * 65536 * 4 + 8), 2);  // kept to the low 16 bits
}

TEST(ParityAndStopBits, MapToTheBlockCodes) {
  EXPECT_EQ(ParityCode(TCommParityBits::cpbNone), 0);
  EXPECT_EQ(ParityCode(TCommParityBits::cpbOdd), 1);
  EXPECT_EQ(ParityCode(TCommParityBits::cpbEven), 2);
  EXPECT_EQ(StopBitsCode(TCommStopBits::csb1), 0);
  EXPECT_EQ(StopBitsCode(TCommStopBits::csb1p5), 1);
  EXPECT_EQ(StopBitsCode(TCommStopBits::csb2), 2);
}

struct TurnDelayRow {
  std::int32_t bitRate;
  std::optional<std::int32_t> delayMs;
};

class TurnDelayTable : public ::testing::TestWithParam<TurnDelayRow> {};

TEST_P(TurnDelayTable, IsOneCharacterTimePlusOneMillisecond) {
  EXPECT_EQ(TurnDelayMs(GetParam().bitRate), GetParam().delayMs);
}

INSTANTIATE_TEST_SUITE_P(Rates, TurnDelayTable,
                         ::testing::Values(TurnDelayRow{9600, 2}, TurnDelayRow{1200, 9},
                                           TurnDelayRow{300, 34}, TurnDelayRow{10, 1001},
                                           TurnDelayRow{10010, 1}, TurnDelayRow{115200, 1},
                                           // below 10 the formula would divide by zero
                                           TurnDelayRow{9, std::nullopt},
                                           TurnDelayRow{0, std::nullopt},
                                           TurnDelayRow{-9600, std::nullopt}));

TEST(TimeoutRecord, HoldsTheDocumentedValues) {
  const CommTimeouts t = TimeoutRecord(1500, 3000);
  EXPECT_EQ(t.ReadIntervalTimeout, 0xFFFFFFFFu);
  EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(t.ReadTotalTimeoutConstant, 3000u);
  EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(t.WriteTotalTimeoutConstant, 1500u);
}

TEST(IsUsablePortNo, AcceptsOneToFiveDigits) {
  EXPECT_FALSE(IsUsablePortNo(-1));
  EXPECT_FALSE(IsUsablePortNo(0));
  EXPECT_TRUE(IsUsablePortNo(1));
  EXPECT_TRUE(IsUsablePortNo(99999));
  EXPECT_FALSE(IsUsablePortNo(100000));
}

}  // namespace
}  // namespace kx14
