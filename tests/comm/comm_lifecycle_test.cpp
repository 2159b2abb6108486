// A closed component, opening (and failing to), exclusive ownership of the
// port, closing, and the properties' effect on an open port.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <memory>
#include <thread>

#include "tests/comm/comm_fixture.h"

namespace kx14::test {
namespace {

TEST_F(CommOnPty, NewComponentIsClosedWithTheDefaults) {
  TCommX fresh(pump);
  EXPECT_FALSE(fresh.IsOpen());
  EXPECT_EQ(fresh.Handle(), TCustomCommX::kInvalidHandle);
  EXPECT_EQ(fresh.PortNo(), 1);
  EXPECT_EQ(fresh.BitRate(), 9600);
  EXPECT_EQ(fresh.CharSize(), 8);
  EXPECT_EQ(fresh.ParityBit(), TCommParityBits::cpbNone);
  EXPECT_EQ(fresh.StopBit(), TCommStopBits::csb1);
  EXPECT_EQ(fresh.FlowCtrl(), TCommFlowCtrls::cfcRtsCts);
  EXPECT_EQ(fresh.TimeOutTrans(), 3000);
  EXPECT_EQ(fresh.TimeOutReceive(), 3000);
  EXPECT_EQ(fresh.XonChar(), 0x11);
  EXPECT_EQ(fresh.XoffChar(), 0x13);
  EXPECT_EQ(fresh.BufLenTrans(), 2048);
  EXPECT_EQ(fresh.BufLenReceive(), 2048);
  EXPECT_EQ(fresh.PendingBytes(), 0);
  EXPECT_EQ(fresh.PendingChunks(), 0);
  EXPECT_FALSE(fresh.OnReceive || fresh.OnBreak || fresh.OnError);
}

TEST_F(CommOnPty, ClosedComponentDoesNothingAndReportsClosed) {
  const auto start = Clock::now();
  comm.Close();
  EXPECT_LT(ElapsedSince(start), milliseconds(100)) << "Close of a closed port returns at once";
  const char byte = 'x';
  EXPECT_TRUE(comm.Write(&byte, 0));
  EXPECT_TRUE(comm.WriteString(""));
  EXPECT_FALSE(comm.Write(&byte, 1));
  EXPECT_FALSE(comm.WriteString("abc"));
  EXPECT_EQ(comm.PendingChunks(), 0) << "nothing was posted";
  EXPECT_EQ(comm.ReceiveCount(), 0);
  comm.PurgeTransmit();
  comm.PurgeReceive();
  comm.SetRTS(true);
  comm.SetDTR(true);
  EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CommOnPty, AssignmentsWhileClosedOnlyStore) {
  comm.SetCharSize(9);  // Linux cannot do it, but nothing is asked yet
  comm.SetStopBit(TCommStopBits::csb1p5);
  comm.SetFlowCtrl(TCommFlowCtrls::cfcDtrDsr);
  comm.SetBufLenReceive(0);
  EXPECT_EQ(comm.CharSize(), 9);
  EXPECT_EQ(comm.StopBit(), TCommStopBits::csb1p5);
  EXPECT_EQ(comm.FlowCtrl(), TCommFlowCtrls::cfcDtrDsr);
  EXPECT_EQ(comm.BufLenReceive(), 0);
  EXPECT_FALSE(comm.IsOpen());
}

// Two values would break the component itself, so they are refused on
// assignment, closed or open, and the previous value stays.
TEST_F(CommOnPty, BitRateBelowTenIsRefusedAndNotStored) {
  for (const std::int32_t rate : {9, 0, -9600}) {
    ExpectCommError([&] { comm.SetBitRate(rate); }, comm_msg::kBitRate);
    EXPECT_EQ(comm.BitRate(), 9600);
  }
  comm.Open();
  ExpectCommError([&] { comm.SetBitRate(5); }, comm_msg::kBitRate);
  EXPECT_EQ(comm.BitRate(), 9600);
  EXPECT_EQ(comm.TurnDelay(), 2);
  EXPECT_TRUE(comm.IsOpen());
}

TEST_F(CommOnPty, BufLenTransOfZeroOrLessIsRefusedAndNotStored) {
  for (const std::int32_t size : {0, -1}) {
    ExpectCommError([&] { comm.SetBufLenTrans(size); }, comm_msg::kBufLen);
    EXPECT_EQ(comm.BufLenTrans(), 2048);
  }
}

struct OpenFailureRow {
  const char* name;
  void (*configure)(TCustomCommX&);
  const char* message;
};

class CommOpenFailure : public CommOnPty, public ::testing::WithParamInterface<OpenFailureRow> {};

TEST_P(CommOpenFailure, RaisesTheMessageAndLeavesTheComponentClosed) {
  const std::size_t threadsBefore = CountThreads();
  const std::size_t fdsBefore = CountOpenFds();
  GetParam().configure(comm);
  ExpectCommError([&] { comm.Open(); }, GetParam().message);
  EXPECT_FALSE(comm.IsOpen());
  EXPECT_EQ(comm.Handle(), TCustomCommX::kInvalidHandle);
  EXPECT_EQ(CountThreads(), threadsBefore);
  EXPECT_EQ(CountOpenFds(), fdsBefore);
  // The failure left nothing behind: with good settings the port opens.
  comm.SetPortResolver(
      [path = pty.SlavePath()](int n) { return ResolveOnly(kPtyPortNo, path, n); });
  comm.SetPortNo(kPtyPortNo);
  comm.SetCharSize(8);
  comm.SetStopBit(TCommStopBits::csb1);
  comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
  comm.SetBufLenReceive(2048);
  comm.Open();
  EXPECT_TRUE(comm.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommOpenFailure,
    ::testing::Values(
        OpenFailureRow{"NoSuchPort", [](TCustomCommX& c) { c.SetPortNo(8); },
                       comm_msg::kCannotOpen},
        OpenFailureRow{"PortNoZero", [](TCustomCommX& c) { c.SetPortNo(0); },
                       comm_msg::kCannotOpen},
        OpenFailureRow{"PortNoNegative", [](TCustomCommX& c) { c.SetPortNo(-7); },
                       comm_msg::kCannotOpen},
        OpenFailureRow{"PortNoSixDigits", [](TCustomCommX& c) { c.SetPortNo(100000); },
                       comm_msg::kCannotOpen},
        OpenFailureRow{"NotATerminal",
                       [](TCustomCommX& c) {
                         c.SetPortResolver([](int) { return std::filesystem::path("/dev/null"); });
                       },
                       comm_msg::kCannotOpen},
        OpenFailureRow{"CharSizeNine", [](TCustomCommX& c) { c.SetCharSize(9); },
                       comm_msg::kCharSize},
        OpenFailureRow{"CharSizeFour", [](TCustomCommX& c) { c.SetCharSize(4); },
                       comm_msg::kCharSize},
        OpenFailureRow{"OneAndAHalfStopBits",
                       [](TCustomCommX& c) { c.SetStopBit(TCommStopBits::csb1p5); },
                       comm_msg::kStopBit},
        OpenFailureRow{"DtrDsrFlowControl",
                       [](TCustomCommX& c) { c.SetFlowCtrl(TCommFlowCtrls::cfcDtrDsr); },
                       comm_msg::kFlowCtrl},
        OpenFailureRow{"ReceiveQueueOfZero", [](TCustomCommX& c) { c.SetBufLenReceive(0); },
                       comm_msg::kBufLen}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CommOnPty, PortNumberOutOfRangeNeverReachesTheResolver) {
  int asked = 0;
  comm.SetPortResolver([&](int) {
    ++asked;
    return std::optional<std::filesystem::path>();
  });
  for (const std::int32_t portNo : {0, -1, 100000, 2147483647}) {
    comm.SetPortNo(portNo);
    ExpectCommError([&] { comm.Open(); }, comm_msg::kCannotOpen);
  }
  EXPECT_EQ(asked, 0);
}

TEST_F(CommOnPty, OpenWhileOpenRaisesAndKeepsThePort) {
  comm.Open();
  const std::uint32_t handle = comm.Handle();
  ExpectCommError([&] { comm.Open(); }, comm_msg::kAlreadyOpen);
  EXPECT_TRUE(comm.IsOpen());
  EXPECT_EQ(comm.Handle(), handle);
  pty.WriteMaster("ok");
  char buffer[2];
  EXPECT_EQ(comm.Read(buffer, 2), 2);
}

TEST_F(CommOnPty, SecondComponentCannotOpenAHeldPort) {
  comm.Open();
  TCommX other(pump);
  other.SetPortResolver(
      [path = pty.SlavePath()](int n) { return ResolveOnly(kPtyPortNo, path, n); });
  other.SetPortNo(kPtyPortNo);
  ExpectCommError([&] { other.Open(); }, comm_msg::kCannotOpen);
  EXPECT_FALSE(other.IsOpen());
  comm.Close();
  other.Open();
  EXPECT_TRUE(other.IsOpen());
}

TEST_F(CommOnPty, PortHeldByAnotherProgramCannotBeOpened) {
  const int holder = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  ExpectCommError([&] { comm.Open(); }, comm_msg::kCannotOpen);
  EXPECT_FALSE(comm.IsOpen());
  close(holder);
  comm.Open();
  EXPECT_TRUE(comm.IsOpen());
}

TEST_F(CommOnPty, OpenAndCloseTakeTheirMinimumTimes) {
  auto start = Clock::now();
  comm.Open();
  EXPECT_GE(ElapsedSince(start), milliseconds(100));
  start = Clock::now();
  comm.Close();
  EXPECT_GE(ElapsedSince(start), milliseconds(300));
  EXPECT_FALSE(comm.IsOpen());
}

termios TermiosOf(const std::string& path) {
  termios tio{};
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  tcgetattr(fd, &tio);
  close(fd);
  return tio;
}

TEST_F(CommOnPty, OpenAppliesTheLineSettingsAndCloseRestoresTheTerminal) {
  const termios before = TermiosOf(pty.SlavePath());
  ASSERT_NE(before.c_lflag & ICANON, 0u) << "a fresh pty slave is cooked";
  comm.SetBitRate(19200);
  comm.SetCharSize(7);
  comm.SetParityBit(TCommParityBits::cpbEven);
  comm.SetStopBit(TCommStopBits::csb2);
  comm.Open();
  termios now{};
  ASSERT_EQ(tcgetattr(static_cast<int>(comm.Handle()), &now), 0);
  EXPECT_EQ(cfgetospeed(&now), static_cast<speed_t>(B19200));
  // A pty keeps CS8 without parity whatever it is told (it has no framing);
  // the working copy shows what was asked.
  EXPECT_NE(now.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(now.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(now.c_iflag & (BRKINT | ICRNL | IXON), 0u);
  EXPECT_EQ(now.c_oflag & OPOST, 0u);
  EXPECT_EQ(comm.WorkingDcb().BaudRate, 19200u);
  EXPECT_EQ(comm.WorkingDcb().ByteSize, 7);
  EXPECT_EQ(comm.WorkingDcb().Parity, 2);
  comm.Close();
  const termios after = TermiosOf(pty.SlavePath());
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
}

TEST_F(CommOnPty, WorkingBlockCarriesFlowWordAndLimits) {
  comm.Open();
  EXPECT_EQ(comm.WorkingDcb().Flags, 0x1013u);  // cfcNone: DTR and RTS on, no handshake
  EXPECT_EQ(comm.WorkingDcb().XonLim, 512);
  EXPECT_EQ(comm.WorkingDcb().XoffLim, 512);
  comm.SetBufLenReceive(6);
  EXPECT_EQ(comm.WorkingDcb().XonLim, 1);
  comm.SetBufLenReceive(2);
  EXPECT_EQ(comm.WorkingDcb().XoffLim, 0);
  comm.SetFlowCtrl(TCommFlowCtrls::cfcRtsCts);
  EXPECT_EQ(comm.WorkingDcb().Flags, 0x2017u);
}

TEST_F(CommOnPty, RefusedSettingWhileOpenRaisesButKeepsThePortOpen) {
  comm.Open();
  ExpectCommError([&] { comm.SetCharSize(4); }, comm_msg::kCharSize);
  EXPECT_EQ(comm.CharSize(), 4);
  EXPECT_TRUE(comm.IsOpen());
  // The refused value stays in the working copy, so the next push is refused
  // too until it is corrected.
  EXPECT_EQ(comm.WorkingDcb().ByteSize, 4);
  ExpectCommError([&] { comm.SetBitRate(19200); }, comm_msg::kBitRate);
  comm.SetCharSize(8);
  comm.SetBitRate(19200);
  ExpectCommError([&] { comm.SetStopBit(TCommStopBits::csb1p5); }, comm_msg::kStopBit);
  comm.SetStopBit(TCommStopBits::csb1);
  ExpectCommError([&] { comm.SetFlowCtrl(TCommFlowCtrls::cfcDtrDsr); }, comm_msg::kFlowCtrl);
  EXPECT_TRUE(comm.IsOpen());
}

TEST_F(CommOnPty, BitRateWhileOpenRecomputesTheTurnDelay) {
  comm.SetBitRate(1200);
  comm.Open();
  EXPECT_EQ(comm.TurnDelay(), 9);
  comm.SetBitRate(9600);
  EXPECT_EQ(comm.TurnDelay(), 2);
  comm.SetBitRate(115200);
  EXPECT_EQ(comm.TurnDelay(), 1);
  comm.SetBitRate(31250);  // no Bnnn constant: carried by termios2
  EXPECT_EQ(comm.WorkingDcb().BaudRate, 31250u);
  comm.Close();
  EXPECT_EQ(comm.TurnDelay(), 0);
}

TEST_F(CommOnPty, PortNoWhileOpenReopensOnTheNewNumber) {
  PtyPair second;
  comm.SetPortResolver([a = pty.SlavePath(), b = second.SlavePath()](int n) {
    return n == 9 ? std::optional<std::filesystem::path>(b) : ResolveOnly(kPtyPortNo, a, n);
  });
  comm.Open();
  comm.SetPortNo(9);
  EXPECT_TRUE(comm.IsOpen());
  second.WriteMaster("9");
  char c;
  EXPECT_EQ(comm.Read(&c, 1), 1);
  ExpectCommError([&] { comm.SetPortNo(10); }, comm_msg::kCannotOpen);
  EXPECT_FALSE(comm.IsOpen());
  EXPECT_EQ(comm.PortNo(), 10);
}

TEST_F(CommOnPty, DestroyingAnOpenComponentClosesThePort) {
  auto owned = std::make_unique<TCommX>(pump);
  owned->SetPortResolver(
      [path = pty.SlavePath()](int n) { return ResolveOnly(kPtyPortNo, path, n); });
  owned->SetPortNo(kPtyPortNo);
  // ThreadSanitizer starts a thread of its own with the process's first
  // thread; start one here so that the count below sees only the workers.
  std::thread([] {}).join();
  const std::size_t threadsBefore = CountThreads();
  owned->Open();
  EXPECT_EQ(CountThreads(), threadsBefore + 2);
  owned.reset();
  EXPECT_EQ(CountThreads(), threadsBefore);
  comm.Open();  // the port is free again
  EXPECT_TRUE(comm.IsOpen());
}

// Refusals that a pty never makes, played by the fake line.
struct FakeRefusalRow {
  const char* name;
  void (*configure)(FakeLine&, TCustomCommX&);
  const char* message;
};

class CommFakeRefusal : public CommOnFakeLine,
                        public ::testing::WithParamInterface<FakeRefusalRow> {};

TEST_P(CommFakeRefusal, OpenRaisesTheSettingsMessageAndCloses) {
  GetParam().configure(line, comm);
  ExpectCommError([&] { comm.Open(); }, GetParam().message);
  EXPECT_FALSE(comm.IsOpen());
  EXPECT_FALSE(line.IsOpen());
}

void RefuseWhen(FakeLine& line, bool (*refuse)(const Dcb&)) { line.RefuseStateWhen(refuse); }

INSTANTIATE_TEST_SUITE_P(
    Cases, CommFakeRefusal,
    ::testing::Values(
        FakeRefusalRow{"BitRate",
                       [](FakeLine& l, TCustomCommX& c) {
                         c.SetBitRate(31250);
                         RefuseWhen(l, [](const Dcb& d) { return d.BaudRate == 31250; });
                       },
                       comm_msg::kBitRate},
        FakeRefusalRow{"CharSize",
                       [](FakeLine& l, TCustomCommX& c) {
                         c.SetCharSize(7);
                         RefuseWhen(l, [](const Dcb& d) { return d.ByteSize == 7; });
                       },
                       comm_msg::kCharSize},
        FakeRefusalRow{"ParityBit",
                       [](FakeLine& l, TCustomCommX& c) {
                         c.SetParityBit(TCommParityBits::cpbOdd);
                         RefuseWhen(l, [](const Dcb& d) { return d.Parity == 1; });
                       },
                       comm_msg::kParity},
        FakeRefusalRow{"StopBit",
                       [](FakeLine& l, TCustomCommX& c) {
                         c.SetStopBit(TCommStopBits::csb2);
                         RefuseWhen(l, [](const Dcb& d) { return d.StopBits == 2; });
                       },
                       comm_msg::kStopBit},
        FakeRefusalRow{"FlowCtrl",
                       [](FakeLine& l, TCustomCommX&) {
                         RefuseWhen(l, [](const Dcb& d) { return d.Flags == 0x1013; });
                       },
                       comm_msg::kFlowCtrl},
        FakeRefusalRow{"TimeOuts", [](FakeLine& l, TCustomCommX&) { l.RefuseTimeouts(true); },
                       comm_msg::kTimeOuts},
        FakeRefusalRow{"XonChar",
                       [](FakeLine& l, TCustomCommX& c) {
                         c.SetXonChar(0x01);
                         RefuseWhen(l, [](const Dcb& d) { return d.XonChar == 0x01; });
                       },
                       comm_msg::kXonChar},
        FakeRefusalRow{"XoffChar",
                       [](FakeLine& l, TCustomCommX& c) {
                         c.SetXoffChar(0x02);
                         RefuseWhen(l, [](const Dcb& d) { return d.XoffChar == 0x02; });
                       },
                       comm_msg::kXoffChar},
        FakeRefusalRow{"QueueSizes", [](FakeLine& l, TCustomCommX&) { l.RefuseQueueSizes(true); },
                       comm_msg::kBufLen},
        // Raised by Open, not thrown inside the worker's thread (which would
        // end the process).
        FakeRefusalRow{"ReceiveWorkerWake",
                       [](FakeLine& l, TCustomCommX&) { l.FailWakeRegistration(); },
                       comm_msg::kReceiveThread}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CommOnFakeLine, EachSettingPushesTheWholeBlockInOrder) {
  // Values unlike the line's all-zero start block, so that every push shows
  // which settings it already carries.
  comm.SetCharSize(7);
  comm.SetParityBit(TCommParityBits::cpbOdd);
  comm.SetStopBit(TCommStopBits::csb2);
  comm.Open();
  const std::vector<Dcb> pushed = line.StatesSet();
  // BitRate, CharSize, ParityBit, StopBit, FlowCtrl, XonChar, XoffChar.
  ASSERT_EQ(pushed.size(), 7u);
  const Dcb& last = pushed.back();
  EXPECT_EQ(last.BaudRate, 9600u);
  EXPECT_EQ(last.XonLim, 512);
  EXPECT_EQ(last.XonChar, 0x11);
  EXPECT_EQ(last.XoffChar, 0x13);
  using Carries = bool (*)(const Dcb&, const Dcb&);
  const Carries settings[] = {
      [](const Dcb& d, const Dcb& l) { return d.BaudRate == l.BaudRate; },
      [](const Dcb& d, const Dcb& l) { return d.ByteSize == l.ByteSize; },
      [](const Dcb& d, const Dcb& l) { return d.Parity == l.Parity; },
      [](const Dcb& d, const Dcb& l) { return d.StopBits == l.StopBits; },
      [](const Dcb& d, const Dcb& l) { return d.Flags == l.Flags && d.XonLim == l.XonLim; },
      [](const Dcb& d, const Dcb& l) { return d.XonChar == l.XonChar; },
      [](const Dcb& d, const Dcb& l) { return d.XoffChar == l.XoffChar; },
  };
  // Push i carries settings 0..i and none of the later ones.
  for (std::size_t i = 0; i < pushed.size(); ++i) {
    for (std::size_t k = 0; k < std::size(settings); ++k) {
      EXPECT_EQ(settings[k](pushed[i], last), k <= i) << "push " << i << ", setting " << k;
    }
  }
}

TEST_F(CommOnFakeLine, ReceiveQueueChangeRepushesFlowControl) {
  comm.Open();
  line.RefuseStateWhen([](const Dcb& d) { return d.XonLim == 1; });
  ExpectCommError([&] { comm.SetBufLenReceive(6); }, comm_msg::kFlowCtrl);
  EXPECT_TRUE(comm.IsOpen());
}

}  // namespace
}  // namespace kx14::test
