// Whole Read and Program operations at the device's pace: the simulator
// (kx14-devsim --pace 9600) behind a 9600 bit/s line model, the real serial
// component with the console message pump, and the read and program
// operations over a toolkit-free window. The wall time from the press to the
// information field's text is compared with the wire time of the bytes the
// operation moves: 19 for a read (19.8 ms), 56 for a program with its
// preliminary read (58.3 ms). The plain-termios exchange over the same line
// is printed beside it: what the simulator and the line model cost by
// themselves.
//
//   wire_paced_bench [runs] [kx14-devsim path]     (default 30)

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/ours_and_floor.h"
#include "bench/paced_device.h"
#include "bench/plain_port.h"
#include "bench/summary_line.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "protocol/device_operations.h"
#include "protocol/frames.h"
#include "timed_device_view.h"

namespace {

using namespace kx14;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr long kBaud = 9600;
constexpr double kTargetSlackMs = 2.0;
constexpr int kReadBytes = 1 + kReadReplyLength;                                         // 19
constexpr int kProgramBytes = kReadBytes + kProgramCommandLength + kProgramReplyLength;  // 56

// Times one operation from the press to the information field's text.
template <typename Operation>
double TimeOperation(testing::TimedDeviceView& view, Operation operation,
                     TOperationOutcome expected) {
  const auto pressed = Clock::now();
  if (operation() != expected) {
    std::fprintf(stderr, "wire_paced_bench: operation failed (%s)\n", view.Information().c_str());
    std::exit(1);
  }
  return Millis(view.InformationShownAt() - pressed).count();
}

// The same bytes through plain termios: the read exchange, and for a program
// the read and then the program exchange.
std::vector<double> PlainOperations(const std::string& path, int runs, bool program) {
  bench::PlainPort port(path);
  const ByteString programCommand(kProgramCommandLength, '\0');
  ByteString programFrame = programCommand;
  programFrame[0] = static_cast<char>(kProgramCommandByte);  // a zero block: checksum 0
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) {
    port.PurgeInput();
    const auto start = Clock::now();
    bool whole = port.Exchange(ReadCommandFrame(), kReadReplyLength, std::chrono::seconds(3)) ==
                 static_cast<std::size_t>(kReadReplyLength);
    if (program) {
      whole = whole && port.Exchange(programFrame, kProgramReplyLength, std::chrono::seconds(3)) ==
                           static_cast<std::size_t>(kProgramReplyLength);
    }
    if (!whole) {
      std::fprintf(stderr, "wire_paced_bench: plain exchange failed\n");
      std::exit(1);
    }
    samples.push_back(Millis(Clock::now() - start).count());
  }
  return samples;
}

void Report(const char* measure, const std::vector<double>& ours, const std::vector<double>& plain,
            int bytes) {
  const bench::LatencyStats o = bench::Summarise(ours);
  const bench::LatencyStats p = bench::Summarise(plain);
  const double wire = bench::WireMs(bytes, kBaud);
  std::printf(
      "%s: %d bytes on the wire = %.1f ms; ours median %.2f ms, p99 %.2f ms (%zu runs); "
      "plain termios over the same line median %.2f ms\n",
      measure, bytes, wire, o.median, o.p99, o.count, p.median);
  bench::PrintSummary({measure, "ms", o.median, wire, std::nullopt, std::nullopt, "<=wire+2ms",
                       o.median <= wire + kTargetSlackMs});
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const std::string devsim = argc > 2 ? argv[2] : KX14_DEVSIM_PATH;

  bench::PacedDevice device(devsim, kBaud);
  const std::vector<double> plainReads = PlainOperations(device.HostPath(), runs, false);
  const std::vector<double> plainPrograms = PlainOperations(device.HostPath(), runs, true);
  device.DiscardLog();

  PollMessagePump pump;
  TCommX comm(pump);
  bench::OpenLikeTheWindow(comm, device.HostPath());
  testing::TimedDeviceView view(comm, pump);
  TDeviceOperations operations(view);

  const auto read = [&] { return operations.Read(); };
  const auto program = [&] { return operations.Program(); };
  TimeOperation(view, read, TOperationOutcome::ooReadSucceeded);  // warm-up
  std::vector<double> reads;
  std::vector<double> programs;
  for (int i = 0; i < runs; ++i) {
    reads.push_back(TimeOperation(view, read, TOperationOutcome::ooReadSucceeded));
    programs.push_back(TimeOperation(view, program, TOperationOutcome::ooProgramSucceeded));
    device.DiscardLog();
  }
  comm.Close();

  Report("wire_read", reads, plainReads, kReadBytes);
  Report("wire_program", programs, plainPrograms, kProgramBytes);
  return 0;
}
