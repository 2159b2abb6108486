// The Win32 output side on an overlapped named pipe whose reader takes
// nothing, so that a large write stays in flight until the test ends it.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "comm/wake_signal.h"
#include "comm/win32/port_writer.h"

namespace kx14 {
namespace {

using std::chrono::milliseconds;

class StalledPipe {
 public:
  StalledPipe() {
    const std::wstring name =
        L"\\\\.\\pipe\\kx14-writer-test-" + std::to_wstring(GetCurrentProcessId());
    server_ = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0,
                               16, 0, nullptr);
    client_ = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OVERLAPPED, nullptr);
  }
  ~StalledPipe() {
    if (client_ != INVALID_HANDLE_VALUE) CloseHandle(client_);
    if (server_ != INVALID_HANDLE_VALUE) CloseHandle(server_);
  }
  bool Ok() const { return server_ != INVALID_HANDLE_VALUE && client_ != INVALID_HANDLE_VALUE; }
  HANDLE Client() const { return client_; }

 private:
  HANDLE server_ = INVALID_HANDLE_VALUE;
  HANDLE client_ = INVALID_HANDLE_VALUE;
};

// A write the driver took counts as done, but when it fails in flight (here
// the driver aborts it) the next write reports that failure instead of
// passing it over, once; the write after that goes out again.
TEST(Win32PortWriter, FailureOfAWriteInFlightIsReportedByTheNextWrite) {
  StalledPipe pipe;
  ASSERT_TRUE(pipe.Ok()) << GetLastError();
  Win32PortWriter writer(pipe.Client());
  WakeSignal wake;
  const std::vector<std::uint8_t> block(1 << 20, 0x55);

  const IoResult taken = writer.Write(block.data(), block.size());
  ASSERT_EQ(taken.status, IoResult::Status::kDone);
  ASSERT_EQ(writer.WaitWritable(wake, milliseconds(0)), WaitOutcome::kTimedOut)
      << "the write should still be in flight";
  EXPECT_EQ(writer.Write(block.data(), 1).status, IoResult::Status::kWouldBlock);

  ASSERT_TRUE(CancelIoEx(pipe.Client(), nullptr));
  EXPECT_EQ(writer.WaitWritable(wake, milliseconds(5000)), WaitOutcome::kReady);
  EXPECT_EQ(writer.Write(block.data(), 1).status, IoResult::Status::kFailed);
  EXPECT_EQ(writer.Write(block.data(), 1).status, IoResult::Status::kDone);
  writer.Cancel();
}

}  // namespace
}  // namespace kx14
