// The user-defined ports directory holding entries that are not serial ports,
// each named COM<n>: the listing leaves out whatever is not a character
// device, and opening the number through the serial component fails with its
// fixed message, without blocking, even for a FIFO (which would block an
// open for reading until a writer came) and for a link to /dev/null (a
// character device, but no terminal).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "fuzz/properties/hostile_ports_dir.h"
#include "ports/com_ports.h"
#include "ports/user_ports.h"

namespace kx14::fuzz {
namespace {

using namespace std::chrono_literals;

// Far above any number a machine's detected ports could take, so that the
// machine's own serial devices (the listing reads the real /sys) never hold
// one of them.
constexpr int kFirstPortNo = 9001;
// Generous: a failing open returns in microseconds; only a hang takes long.
constexpr auto kOpenDeadline = 20s;

struct HostileEntry {
  EntryKind kind;
  int portNo;
};

void PrintTo(const HostileEntry& e, std::ostream* os) { *os << EntryKindName(e.kind); }

const HostileEntry kHostileEntries[] = {
    {EntryKind::kRegularFile, kFirstPortNo},
    {EntryKind::kFifo, kFirstPortNo + 1},
    {EntryKind::kDanglingLink, kFirstPortNo + 2},
    {EntryKind::kLoopingLink, kFirstPortNo + 3},
    {EntryKind::kLinkToDevNull, kFirstPortNo + 4},
    {EntryKind::kLinkToDirectory, kFirstPortNo + 5},
    {EntryKind::kSubdirectory, kFirstPortNo + 6},
    {EntryKind::kLinkToFifo, kFirstPortNo + 7},
    {EntryKind::kLinkToLinkToDevNull, kFirstPortNo + 8},
};

struct OpenOutcome {
  bool opened = false;
  std::optional<std::string> commError;  // ECommError's message
};

// Opens COM<portNo> on a component of its own, on a thread of its own, and
// closes it again. Nothing on that thread belongs to the test, so a hung
// open can be left behind (detached) while the test reports it.
std::optional<OpenOutcome> OpenWithDeadline(int portNo) {
  std::packaged_task<OpenOutcome()> task([portNo] {
    PollMessagePump pump;
    TCommX comm(pump);
    comm.SetPortResolver(ResolveMachinePort);
    comm.SetPortNo(portNo);
    OpenOutcome outcome;
    try {
      comm.Open();
      outcome.opened = comm.IsOpen();
    } catch (const ECommError& error) {
      outcome.commError = error.what();
    }
    comm.Close();
    return outcome;
  });
  std::future<OpenOutcome> result = task.get_future();
  std::thread(std::move(task)).detach();
  if (result.wait_for(kOpenDeadline) != std::future_status::ready) return std::nullopt;
  return result.get();
}

// Makes the hostile directory the machine's user-defined ports directory for
// the component's default port resolver.
class HostilePortsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) savedConfigHome_ = old;
    ASSERT_EQ(::setenv("XDG_CONFIG_HOME", dir_.Root().c_str(), 1), 0);
    ASSERT_EQ(DefaultPortSources().portsDir, dir_.PortsDir());
  }
  void TearDown() override {
    if (savedConfigHome_) {
      ::setenv("XDG_CONFIG_HOME", savedConfigHome_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }

  bool Listed(const std::string& name) const {
    const auto names = ListComPortNames(DefaultPortSources());
    return std::find(names.begin(), names.end(), name) != names.end();
  }

  HostilePortsDir dir_;

 private:
  std::optional<std::string> savedConfigHome_;
};

class HostilePortEntry : public HostilePortsFixture,
                         public ::testing::WithParamInterface<HostileEntry> {};

TEST_P(HostilePortEntry, IsListedOnlyWhenACharacterDevice) {
  const HostileEntry& e = GetParam();
  const std::string name = ComPortName(e.portNo);
  ASSERT_TRUE(dir_.Add(name, e.kind));
  EXPECT_EQ(Listed(name), IsCharacterDevice(e.kind));
  EXPECT_EQ(ListUserPorts(dir_.PortsDir()).size(), IsCharacterDevice(e.kind) ? 1u : 0u);
  EXPECT_EQ(ResolveComPort(e.portNo, DefaultPortSources()).has_value(), IsCharacterDevice(e.kind));
}

TEST_P(HostilePortEntry, OpeningFailsWithTheComponentsMessageWithoutBlocking) {
  const HostileEntry& e = GetParam();
  ASSERT_TRUE(dir_.Add(ComPortName(e.portNo), e.kind));
  const auto outcome = OpenWithDeadline(e.portNo);
  ASSERT_TRUE(outcome.has_value())
      << "opening COM" << e.portNo << " did not return within " << kOpenDeadline.count() << " s";
  EXPECT_FALSE(outcome->opened);
  EXPECT_EQ(outcome->commError, std::string(comm_msg::kCannotOpen));
}

// "link to /dev/null" -> "link_to__dev_null"
std::string TestNameOf(const ::testing::TestParamInfo<HostileEntry>& p) {
  std::string name(EntryKindName(p.param.kind));
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostilePortEntry, ::testing::ValuesIn(kHostileEntries), TestNameOf);

// All kinds side by side with a real terminal: the terminal is listed and
// opens (so the failures above are the entries' own, not the set-up's), the
// rest stay out of the list and fail to open.
TEST_F(HostilePortsFixture, OnlyTheTerminalAmongHostileNeighboursOpens) {
  for (const HostileEntry& e : kHostileEntries)
    ASSERT_TRUE(dir_.Add(ComPortName(e.portNo), e.kind));
  const int ptyPortNo = kFirstPortNo + 100;
  if (!dir_.Add(ComPortName(ptyPortNo), EntryKind::kLinkToPty))
    GTEST_SKIP() << "no pseudo-terminals";

  for (const HostileEntry& e : kHostileEntries) {
    EXPECT_EQ(Listed(ComPortName(e.portNo)), IsCharacterDevice(e.kind)) << EntryKindName(e.kind);
  }
  EXPECT_TRUE(Listed(ComPortName(ptyPortNo)));

  const auto terminal = OpenWithDeadline(ptyPortNo);
  ASSERT_TRUE(terminal.has_value());
  EXPECT_TRUE(terminal->opened) << terminal->commError.value_or("");
  for (const HostileEntry& e : kHostileEntries) {
    const auto outcome = OpenWithDeadline(e.portNo);
    ASSERT_TRUE(outcome.has_value()) << EntryKindName(e.kind) << " blocked the open";
    EXPECT_EQ(outcome->commError, std::string(comm_msg::kCannotOpen)) << EntryKindName(e.kind);
  }
}

}  // namespace
}  // namespace kx14::fuzz
