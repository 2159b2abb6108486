// The control block to termios2 translation, as tables. This file must not
// include <termios.h> (it clashes with <asm/termbits.h>).
#include "comm/linux/dcb_termios.h"

#include <gtest/gtest.h>

#include "comm/dcb_rules.h"

namespace kx14 {
namespace {

Dcb BlockWith(std::uint32_t flags) {
  Dcb dcb;
  dcb.BaudRate = 9600;
  dcb.ByteSize = 8;
  dcb.Flags = flags;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  return dcb;
}

// A cooked terminal with everything on that a raw port must not have.
termios2 CookedTermios() {
  termios2 tio{};
  tio.c_iflag = BRKINT | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | IGNBRK | IXANY | IMAXBEL;
  tio.c_oflag = OPOST | ONLCR;
  tio.c_lflag = ICANON | ECHO | ECHOE | ISIG | IEXTEN;
  tio.c_cflag = B38400 | CS7 | HUPCL;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 5;
  return tio;
}

struct FlowRow {
  const char* name;
  TCommFlowCtrls flow;
  SettingFault fault;
  bool crtscts;
  tcflag_t xonXoff;
  LineLevel dtr;
  LineLevel rts;
};

class FlowControlTable : public ::testing::TestWithParam<FlowRow> {};

TEST_P(FlowControlTable, MapsTheFlagWord) {
  const FlowRow& row = GetParam();
  const TermiosMapping m = DcbToTermios(BlockWith(*FlowFlagWord(row.flow)), CookedTermios());
  ASSERT_EQ(m.fault, row.fault);
  if (row.fault != SettingFault::kNone) return;
  EXPECT_EQ((m.settings.tio.c_cflag & CRTSCTS) != 0, row.crtscts);
  EXPECT_EQ(m.settings.tio.c_iflag & (IXON | IXOFF), row.xonXoff);
  EXPECT_EQ(m.settings.dtr, row.dtr);
  EXPECT_EQ(m.settings.rts, row.rts);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, FlowControlTable,
    ::testing::Values(FlowRow{"RtsCts", TCommFlowCtrls::cfcRtsCts, SettingFault::kNone, true, 0,
                              LineLevel::kRaise, LineLevel::kLeave},
                      // Linux has no DTR/DSR handshake.
                      FlowRow{"DtrDsr", TCommFlowCtrls::cfcDtrDsr, SettingFault::kFlowControl,
                              false, 0, LineLevel::kLeave, LineLevel::kLeave},
                      FlowRow{"XonXoff", TCommFlowCtrls::cfcXonXoff, SettingFault::kNone, false,
                              IXON | IXOFF, LineLevel::kRaise, LineLevel::kRaise},
                      FlowRow{"HalfHigh", TCommFlowCtrls::cfcHalfHigh, SettingFault::kNone, false,
                              0, LineLevel::kRaise, LineLevel::kLower},
                      FlowRow{"HalfLow", TCommFlowCtrls::cfcHalfLow, SettingFault::kNone, false, 0,
                              LineLevel::kRaise, LineLevel::kRaise},
                      FlowRow{"None", TCommFlowCtrls::cfcNone, SettingFault::kNone, false, 0,
                              LineLevel::kRaise, LineLevel::kRaise}),
    [](const auto& row) { return std::string(row.param.name); });

struct FieldRow {
  const char* name;
  void (*change)(Dcb&);
  SettingFault fault;
  tcflag_t cflagMask;
  tcflag_t cflag;
};

class LineFieldTable : public ::testing::TestWithParam<FieldRow> {};

TEST_P(LineFieldTable, MapsOrRefuses) {
  const FieldRow& row = GetParam();
  Dcb dcb = BlockWith(0x1013);
  row.change(dcb);
  const TermiosMapping m = DcbToTermios(dcb, CookedTermios());
  ASSERT_EQ(m.fault, row.fault);
  if (row.fault == SettingFault::kNone) {
    EXPECT_EQ(m.settings.tio.c_cflag & row.cflagMask, row.cflag);
  }
}

constexpr tcflag_t kParityBits = PARENB | PARODD | CMSPAR;

INSTANTIATE_TEST_SUITE_P(
    Fields, LineFieldTable,
    ::
        testing::Values(FieldRow{"Size4", [](Dcb& d) { d.ByteSize = 4; }, SettingFault::kByteSize,
                                 0, 0},
                        FieldRow{"Size5", [](Dcb& d) { d.ByteSize = 5; }, SettingFault::kNone,
                                 CSIZE, CS5},
                        FieldRow{"Size6", [](Dcb& d) { d.ByteSize = 6; }, SettingFault::kNone,
                                 CSIZE, CS6},
                        FieldRow{"Size7", [](Dcb& d) { d.ByteSize = 7; }, SettingFault::kNone,
                                 CSIZE, CS7},
                        FieldRow{"Size8", [](Dcb& d) { d.ByteSize = 8; }, SettingFault::kNone,
                                 CSIZE, CS8},
                        FieldRow{"Size9", [](Dcb& d) { d.ByteSize = 9; }, SettingFault::kByteSize,
                                 0, 0},
                        FieldRow{"ParityNone", [](Dcb& d) { d.Parity = 0; }, SettingFault::kNone,
                                 kParityBits, 0},
                        FieldRow{"ParityOdd", [](Dcb& d) { d.Parity = 1; }, SettingFault::kNone,
                                 kParityBits, PARENB | PARODD},
                        FieldRow{"ParityEven", [](Dcb& d) { d.Parity = 2; }, SettingFault::kNone,
                                 kParityBits, PARENB},
                        FieldRow{"ParityMark", [](Dcb& d) { d.Parity = 3; }, SettingFault::kNone,
                                 kParityBits, PARENB | PARODD | CMSPAR},
                        FieldRow{"ParitySpace", [](Dcb& d) { d.Parity = 4; }, SettingFault::kNone,
                                 kParityBits, PARENB | CMSPAR},
                        FieldRow{"Parity5", [](Dcb& d) { d.Parity = 5; }, SettingFault::kParity, 0,
                                 0},
                        FieldRow{"Stop1", [](Dcb& d) { d.StopBits = 0; }, SettingFault::kNone,
                                 CSTOPB, 0},
                        FieldRow{"Stop1p5", [](Dcb& d) { d.StopBits = 1; }, SettingFault::kStopBits,
                                 0, 0},
                        FieldRow{"Stop2", [](Dcb& d) { d.StopBits = 2; }, SettingFault::kNone,
                                 CSTOPB, CSTOPB},
                        FieldRow{"Rate9600", [](Dcb& d) { d.BaudRate = 9600; }, SettingFault::kNone,
                                 CBAUD, B9600},
                        FieldRow{"Rate115200", [](Dcb& d) { d.BaudRate = 115200; },
                                 SettingFault::kNone, CBAUD, B115200},
                        FieldRow{"RateArbitrary", [](Dcb& d) { d.BaudRate = 12345; },
                                 SettingFault::kNone, CBAUD, BOTHER},
                        FieldRow{"RateZeroWouldHangUp", [](Dcb& d) { d.BaudRate = 0; },
                                 SettingFault::kBaudRate, 0, 0},
                        FieldRow{
                            "RtsToggle",
                            [](Dcb& d) { d.Flags = 0x3013; }, SettingFault::kFlowControl, 0, 0},
                        FieldRow{
                            "XonXoffSameChar",
                            [](Dcb& d) {
                              d.Flags = 0x1313;
                              d.XoffChar = d.XonChar;
                            },
                            SettingFault::kXonXoffChars, 0, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DcbToTermios, IsRawAndByteTransparent) {
  const TermiosMapping m = DcbToTermios(BlockWith(0x1013), CookedTermios());
  ASSERT_EQ(m.fault, SettingFault::kNone);
  const termios2& tio = m.settings.tio;
  EXPECT_EQ(tio.c_iflag, 0u) << "no input processing, no BRKINT, no IGNBRK, no INPCK";
  EXPECT_EQ(tio.c_oflag, 0u);
  EXPECT_EQ(tio.c_lflag, 0u);
  EXPECT_EQ(tio.c_cflag & (CREAD | CLOCAL), CREAD | CLOCAL);
  EXPECT_EQ(tio.c_cflag & HUPCL, 0u);
  EXPECT_EQ(tio.c_cc[VMIN], 1);
  EXPECT_EQ(tio.c_cc[VTIME], 0);
  EXPECT_EQ(tio.c_ispeed, 9600u);
  EXPECT_EQ(tio.c_ospeed, 9600u);
}

TEST(DcbToTermios, NeverSetsBrkintInAnyMode) {
  for (int flow = 0; flow < 6; ++flow) {
    const auto flags = FlowFlagWord(static_cast<TCommFlowCtrls>(flow));
    const TermiosMapping m = DcbToTermios(BlockWith(*flags), CookedTermios());
    EXPECT_EQ(m.settings.tio.c_iflag & BRKINT, 0u) << "mode " << flow;
  }
}

TEST(DcbToTermios, ArbitraryRateTravelsInTermios2) {
  Dcb dcb = BlockWith(0x1013);
  dcb.BaudRate = 31250;
  const TermiosMapping m = DcbToTermios(dcb, CookedTermios());
  EXPECT_EQ(m.settings.tio.c_cflag & CBAUD, static_cast<tcflag_t>(BOTHER));
  EXPECT_EQ(m.settings.tio.c_ospeed, 31250u);
  EXPECT_EQ(m.settings.tio.c_ispeed, 31250u);
}

TEST(DcbToTermios, XonXoffCharactersBecomeStartAndStop) {
  Dcb dcb = BlockWith(0x1313);
  dcb.XonChar = 0x05;
  dcb.XoffChar = 0x06;
  const TermiosMapping m = DcbToTermios(dcb, CookedTermios());
  EXPECT_EQ(m.settings.tio.c_cc[VSTART], 0x05);
  EXPECT_EQ(m.settings.tio.c_cc[VSTOP], 0x06);
}

class TermiosRoundTrip : public ::testing::TestWithParam<TCommFlowCtrls> {};

TEST_P(TermiosRoundTrip, GivesBackTheLineSettings) {
  Dcb dcb = BlockWith(*FlowFlagWord(GetParam()));
  dcb.BaudRate = 19200;
  dcb.ByteSize = 7;
  dcb.Parity = 2;
  dcb.StopBits = 2;
  const TermiosMapping m = DcbToTermios(dcb, CookedTermios());
  ASSERT_EQ(m.fault, SettingFault::kNone);
  const Dcb back = TermiosToDcb(m.settings.tio);
  EXPECT_EQ(back.BaudRate, dcb.BaudRate);
  EXPECT_EQ(back.ByteSize, dcb.ByteSize);
  EXPECT_EQ(back.Parity, dcb.Parity);
  EXPECT_EQ(back.StopBits, dcb.StopBits);
  EXPECT_EQ(back.XonChar, dcb.XonChar);
  EXPECT_EQ(back.XoffChar, dcb.XoffChar);
  EXPECT_EQ(back.Flags, dcb.Flags);
}

INSTANTIATE_TEST_SUITE_P(Modes, TermiosRoundTrip,
                         ::testing::Values(TCommFlowCtrls::cfcRtsCts, TCommFlowCtrls::cfcXonXoff,
                                           TCommFlowCtrls::cfcNone));

}  // namespace
}  // namespace kx14
