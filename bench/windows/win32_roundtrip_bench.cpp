// The read exchange's round trip (1 byte out, 18 back) under Wine against the
// simulator: through the component (PurgeReceive, WriteString, Read) beside a
// plain overlapped WriteFile/ReadFile loop on the same port in the same run.
// The port comes from KX14_WINE_COM (scripts/windows-test.sh --bench).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/summary_line.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWarmUp = 20;
constexpr int kRounds = 300;
constexpr double kTarget = 1.3;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

std::vector<double> ComponentRoundTrips(int portNo) {
  kx14::PollMessagePump pump;
  kx14::TCommX comm(pump);
  comm.SetPortNo(portNo);
  comm.SetFlowCtrl(kx14::TCommFlowCtrls::cfcNone);
  comm.Open();
  std::vector<double> samples;
  char reply[18];
  for (int i = 0; i < kWarmUp + kRounds; ++i) {
    const auto start = Clock::now();
    comm.PurgeReceive();
    comm.WriteString("\xE5");
    const std::int32_t n = comm.Read(reply, 18);
    const double us = Micros(Clock::now() - start);
    if (n != 18) std::fprintf(stderr, "component: short reply %d\n", n);
    if (i >= kWarmUp) samples.push_back(us);
  }
  comm.Close();
  return samples;
}

// The floor: what a program that owns the port and knows the reply length
// does with the same calls, without workers.
std::vector<double> PlainRoundTrips(const std::string& device) {
  const HANDLE port = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  std::vector<double> samples;
  if (port == INVALID_HANDLE_VALUE) return samples;
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  GetCommState(port, &dcb);
  dcb.BaudRate = 9600;
  dcb.ByteSize = 8;
  dcb.fBinary = TRUE;
  SetCommState(port, &dcb);
  COMMTIMEOUTS timeouts{0, 0, 3000, 0, 3000};
  SetCommTimeouts(port, &timeouts);
  OVERLAPPED io{};
  io.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  unsigned char reply[18];
  const unsigned char command = 0xE5;
  for (int i = 0; i < kWarmUp + kRounds; ++i) {
    DWORD n = 0;
    const auto start = Clock::now();
    PurgeComm(port, PURGE_RXCLEAR);
    ResetEvent(io.hEvent);
    if (!WriteFile(port, &command, 1, nullptr, &io)) GetOverlappedResult(port, &io, &n, TRUE);
    ResetEvent(io.hEvent);
    if (!ReadFile(port, reply, sizeof reply, nullptr, &io)) {
      GetOverlappedResult(port, &io, &n, TRUE);
    } else {
      GetOverlappedResult(port, &io, &n, FALSE);
    }
    const double us = Micros(Clock::now() - start);
    if (n != sizeof reply) std::fprintf(stderr, "plain: short reply %lu\n", n);
    if (i >= kWarmUp) samples.push_back(us);
  }
  CloseHandle(io.hEvent);
  CloseHandle(port);
  return samples;
}

}  // namespace

int main() {
  const char* com = std::getenv("KX14_WINE_COM");
  if (com == nullptr) {
    std::fprintf(stderr, "KX14_WINE_COM not set (run by scripts/windows-test.sh --bench)\n");
    return 2;
  }
  const int portNo = std::atoi(com + 3);
  const auto ours = kx14::bench::Summarise(ComponentRoundTrips(portNo));
  const auto floor = kx14::bench::Summarise(PlainRoundTrips(std::string("\\\\.\\") + com));
  std::printf("wine round trip: component median %.0f us p99 %.0f us; plain median %.0f us p99 %.0f us\n",
              ours.median, ours.p99, floor.median, floor.p99);
  kx14::bench::Summary summary;
  summary.measure = "wine_roundtrip_median";
  summary.unit = "us";
  summary.ours = ours.median;
  summary.floor = floor.median;
  summary.target = "<=1.3x_floor";
  summary.met = floor.median > 0 && ours.median <= kTarget * floor.median;
  kx14::bench::PrintSummary(summary);
  return 0;
}
