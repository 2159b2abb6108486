#pragma once

// A component on a pty (COM7 maps to the slave), its pump, and helpers.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "comm/comm_x.h"
#include "fake_serial_device.h"
#include "comm/poll_message_pump.h"
#include "pty_pair.h"

namespace kx14::test {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

using testing::PtyPair;
using testing::ReadFromFd;

inline constexpr int kPtyPortNo = 7;

// A resolver that maps one COM number to `path` and every other to nothing.
std::optional<std::filesystem::path> ResolveOnly(int wanted, const std::string& path, int portNo);

// Waits, without running the pump's tasks, until `condition` holds (true) or
// `deadline` passed (false). For states that other threads bring about.
bool WaitUntil(const std::function<bool()>& condition, milliseconds deadline = milliseconds(3000));

// Runs `action`, which must raise ECommError with `message`.
void ExpectCommError(const std::function<void()>& action, const char* message);

class CommOnPty : public ::testing::Test {
 protected:
  CommOnPty() {
    comm.SetPortResolver(
        [path = pty.SlavePath()](int portNo) { return ResolveOnly(kPtyPortNo, path, portNo); });
    comm.SetPortNo(kPtyPortNo);
    comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
    comm.SetTimeOutReceive(300);
  }

  PollMessagePump pump;
  PtyPair pty;
  TCommX comm{pump};
};

// A component on the fake line; every COM number opens it.
class CommOnFakeLine : public ::testing::Test {
 protected:
  CommOnFakeLine() {
    comm.SetDeviceOpener([this](int) { return line.Open(); });
    comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
    comm.SetTimeOutReceive(300);
  }

  PollMessagePump pump;
  FakeLine line;
  TCommX comm{pump};
};

// Threads and descriptors of this process, to find leaks.
std::size_t CountThreads();
std::size_t CountOpenFds();
// What each open descriptor refers to, for a readable leak report.
std::string DescribeOpenFds();

inline milliseconds ElapsedSince(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

}  // namespace kx14::test
