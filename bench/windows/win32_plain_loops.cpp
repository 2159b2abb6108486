#include "bench/windows/win32_plain_loops.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace kx14::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kReply = 18;

class Overlapped {
 public:
  Overlapped() { io_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
  ~Overlapped() { CloseHandle(io_.hEvent); }
  OVERLAPPED* Prepare() {
    const HANDLE event = io_.hEvent;
    io_ = OVERLAPPED{};
    io_.hEvent = event;
    ResetEvent(event);
    return &io_;
  }
  OVERLAPPED* Io() { return &io_; }
  HANDLE Event() const { return io_.hEvent; }
  // The bytes moved by the operation just started; waits when `started` is
  // false and it is in flight.
  DWORD Finish(HANDLE port, BOOL started) {
    DWORD n = 0;
    if (started || GetLastError() == ERROR_IO_PENDING) GetOverlappedResult(port, &io_, &n, TRUE);
    return n;
  }

 private:
  OVERLAPPED io_{};
};

HANDLE OpenPort(const std::string& device) {
  const HANDLE port = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (port == INVALID_HANDLE_VALUE) return port;
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  GetCommState(port, &dcb);
  dcb.BaudRate = 9600;
  dcb.ByteSize = 8;
  dcb.fBinary = TRUE;
  SetCommState(port, &dcb);
  return port;
}

// One 18-byte read that ends when all have come (or after 3 s).
DWORD ReadWhole(HANDLE port, Overlapped& io, unsigned char* reply) {
  return io.Finish(port, ReadFile(port, reply, kReply, nullptr, io.Prepare()));
}

// The component's pattern: a one-byte read waited on as an event, then what
// the queue holds, until 18 bytes are in.
DWORD ReadWithLookahead(HANDLE port, Overlapped& ahead, Overlapped& rest, unsigned char* reply) {
  DWORD got = 0;
  while (got < kReply) {
    const BOOL started = ReadFile(port, reply + got, 1, nullptr, ahead.Prepare());
    if (!started && GetLastError() != ERROR_IO_PENDING) return got;
    if (WaitForSingleObject(ahead.Event(), 3000) != WAIT_OBJECT_0) return got;
    DWORD n = 0;
    GetOverlappedResult(port, ahead.Io(), &n, FALSE);
    got += n;
    DWORD errors = 0;
    COMSTAT status{};
    ClearCommError(port, &errors, &status);
    const DWORD waiting = std::min<DWORD>(status.cbInQue, kReply - got);
    if (waiting > 0) {
      got += rest.Finish(port, ReadFile(port, reply + got, waiting, nullptr, rest.Prepare()));
    }
  }
  return got;
}

}  // namespace

std::vector<double> PlainRoundTrips(const std::string& device, const PlainLoopOptions& options,
                                    int warmUp, int rounds) {
  std::vector<double> samples;
  const HANDLE port = OpenPort(device);
  if (port == INVALID_HANDLE_VALUE) return samples;
  COMMTIMEOUTS timeouts{0, 0, 3000, 0, 3000};
  SetCommTimeouts(port, &timeouts);
  Overlapped write, read, rest, events;
  DWORD mask = 0;
  if (options.eventWait) {
    SetCommMask(port, EV_RXCHAR);
    WaitCommEvent(port, &mask, events.Prepare());
  }
  unsigned char reply[kReply];
  const unsigned char command = 0xE5;
  for (int i = 0; i < warmUp + rounds; ++i) {
    const auto start = Clock::now();
    PurgeComm(port, PURGE_RXCLEAR);
    write.Finish(port, WriteFile(port, &command, 1, nullptr, write.Prepare()));
    const DWORD n = options.lookahead ? ReadWithLookahead(port, read, rest, reply)
                                      : ReadWhole(port, read, reply);
    // The reply ended the comm-event wait; a new one starts within the
    // round, as the receive worker starts it while the exchanges go on.
    if (options.eventWait && WaitForSingleObject(events.Event(), 0) == WAIT_OBJECT_0) {
      DWORD ignored = 0;
      GetOverlappedResult(port, events.Io(), &ignored, FALSE);
      WaitCommEvent(port, &mask, events.Prepare());
    }
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (n != kReply) std::fprintf(stderr, "plain: short reply %lu\n", n);
    if (i >= warmUp) samples.push_back(us);
  }
  if (options.eventWait) {
    CancelIoEx(port, nullptr);
    DWORD ignored = 0;
    GetOverlappedResult(port, events.Io(), &ignored, TRUE);
  }
  CloseHandle(port);
  return samples;
}

}  // namespace kx14::bench
