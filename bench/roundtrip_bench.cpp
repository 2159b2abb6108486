// Round trip of the device exchange over a pty whose far end answers at once:
// the read command (1 byte out, 18 back) and the program command (18 out, 19
// back), ours through WriteString + Read. Beside it, in the same run and in
// alternating rounds so that all see the same machine load: the floor (plain
// blocking write/poll/read), Qt's QSerialPort used as its blocking examples
// use it, and pyserial with its read time-out set; each on a pty of its own
// with the same far end (the simulator's frame handler), the two peers in
// child processes that time their own exchanges. Then the CPU each one burns
// while an exchange waits 3 s for a device that never answers (three waits
// each, taken in turn; the median of each).
//
//   roundtrip_bench [exchanges]     (default 1000 per frame and contender)

#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/ours_and_floor.h"
#include "bench/peer_contender.h"
#include "bench/plain_port.h"
#include "bench/process_usage.h"
#include "bench/summary_line.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "instant_device.h"
#include "protocol/frames.h"
#include "protocol/send_receive.h"

namespace {

using namespace kx14;
using Clock = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

constexpr int kWarmUp = 50;
constexpr int kRounds = 100;  // 10 exchanges each: load bursts fall on every contender alike
constexpr double kTargetRatio = 1.2;
constexpr double kIdleTargetPercent = 1.0;
constexpr int kIdleRepeats = 3;
constexpr auto kReplyTimeout = std::chrono::milliseconds(3000);
const char* const kPython = "/usr/bin/python3";  // Debian's, with python3-serial

struct Frame {
  const char* name;
  ByteString command;
  int replyLength;
};

std::vector<Frame> Frames() {
  ByteString program(kProgramCommandLength, '\0');
  program[0] = static_cast<char>(kProgramCommandByte);  // a zero block: checksum 0
  return {{"read", ReadCommandFrame(), kReadReplyLength},
          {"program", program, kProgramReplyLength}};
}

// One way of doing the exchange, timed per exchange into `samples`.
struct Contender {
  std::string name;
  std::function<bool(const Frame& frame, int count, std::vector<double>& samples)> run;
  std::vector<double> samples;
};

template <typename Exchange>
bool Measure(int count, std::vector<double>& samples, Exchange exchange) {
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    if (!exchange()) return false;
    samples.push_back(Micros(Clock::now() - start).count());
  }
  return true;
}

bool ComponentExchange(TCommX& comm, const Frame& frame) {
  char reply[kReceiveBufferSize];
  return comm.WriteString(frame.command) &&
         comm.Read(reply, frame.replyLength) == frame.replyLength;
}

Contender OursContender(TCommX& comm) {
  return {"ours",
          [&comm](const Frame& f, int n, std::vector<double>& s) {
            return Measure(n, s, [&] { return ComponentExchange(comm, f); });
          },
          {}};
}

Contender FloorContender(bench::PlainPort& plain) {
  return {"floor",
          [&plain](const Frame& f, int n, std::vector<double>& s) {
            return Measure(n, s, [&] {
              return plain.Exchange(f.command, f.replyLength, kReplyTimeout) ==
                     static_cast<std::size_t>(f.replyLength);
            });
          },
          {}};
}

// The peer times its own exchanges, a round at a time.
Contender PeerAsContender(bench::PeerContender& peer) {
  return {peer.Name(),
          [&peer](const Frame& f, int n, std::vector<double>& s) {
            const auto got = peer.Exchanges(static_cast<int>(f.command.size()), f.replyLength, n);
            if (got) s.insert(s.end(), got->begin(), got->end());
            return got.has_value();
          },
          {}};
}

// Percent of one core the process used while `wait` ran.
template <typename Wait>
double CpuPercentDuring(Wait wait) {
  const double cpuBefore = bench::ProcessCpuSeconds();
  const auto start = Clock::now();
  wait();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  return bench::CpuPercent(bench::ProcessCpuSeconds() - cpuBefore, wall);
}

// The contenders' samples for one frame, alternating in rounds.
void RunFrame(const Frame& frame, int exchanges, std::vector<Contender>& contenders) {
  const int perRound = std::max(1, exchanges / kRounds);
  for (Contender& c : contenders) {
    c.samples.clear();
    std::vector<double> discard;
    if (!c.run(frame, kWarmUp, discard)) {
      std::fprintf(stderr, "roundtrip_bench: %s failed the %s exchange\n", c.name.c_str(),
                   frame.name);
      std::exit(1);
    }
  }
  for (int round = 0; round < kRounds; ++round) {
    for (Contender& c : contenders) {
      if (!c.run(frame, perRound, c.samples)) {
        std::fprintf(stderr, "roundtrip_bench: %s failed\n", c.name.c_str());
        std::exit(1);
      }
    }
  }
}

std::optional<double> PeerFigure(const std::vector<Contender>& contenders, const char* name,
                                 double (*figure)(const std::vector<double>&)) {
  for (const Contender& c : contenders) {
    if (c.name == name) return figure(c.samples);
  }
  return std::nullopt;
}

// The figure of the contender called `name`, if it ran.
std::optional<double> PeerFigure(const std::vector<Contender>& contenders,
                                 const std::vector<std::optional<double>>& figures,
                                 const char* name) {
  for (std::size_t i = 0; i < contenders.size() && i < figures.size(); ++i) {
    if (contenders[i].name == name) return figures[i];
  }
  return std::nullopt;
}

bool FasterThanPeers(double ours, std::optional<double> qt, std::optional<double> pyserial) {
  return (!qt || ours < *qt) && (!pyserial || ours < *pyserial);
}

void ReportFrame(const Frame& frame, const std::vector<Contender>& contenders) {
  const auto median = [](const std::vector<double>& s) { return bench::Percentile(s, 0.5); };
  const auto p99 = [](const std::vector<double>& s) { return bench::Percentile(s, 0.99); };
  for (const Contender& c : contenders) {
    std::printf("%s %-8s median %8.1f us  p99 %8.1f us  (%zu exchanges)\n", frame.name,
                c.name.c_str(), median(c.samples), p99(c.samples), c.samples.size());
  }
  using Figure = double (*)(const std::vector<double>&);
  const std::pair<const char*, Figure> figures[] = {{"median", +median}, {"p99", +p99}};
  for (const auto& [label, figure] : figures) {
    const double ours = figure(contenders[0].samples);
    const double floor = figure(contenders[1].samples);
    const auto qt = PeerFigure(contenders, "qt", figure);
    const auto pyserial = PeerFigure(contenders, "pyserial", figure);
    bench::PrintSummary({std::string("roundtrip_") + frame.name + "_" + label, "us", ours, floor,
                         qt, pyserial, "<=1.2x_floor_and_<peers",
                         ours <= kTargetRatio * floor && FasterThanPeers(ours, qt, pyserial)});
  }
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  const int exchanges = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  bench::OursAndFloor<kx14::testing::InstantDevice> line;
  const auto peers = bench::StartPeers(KX14_QT_PEER_PATH, kPython, KX14_PYSERIAL_PEER_PATH);

  std::vector<Contender> contenders{OursContender(line.comm), FloorContender(line.plain)};
  for (const auto& peer : peers) contenders.push_back(PeerAsContender(*peer));
  for (const Frame& frame : Frames()) {
    RunFrame(frame, exchanges, contenders);
    ReportFrame(frame, contenders);
  }

  // A device that never answers: each waits out its 3 s receive time-out,
  // kIdleRepeats times in turn; the median of each is reported.
  line.oursFarEnd.SetSilent(true);
  line.plainFarEnd.SetSilent(true);
  const Frame read = Frames().front();
  std::vector<std::vector<double>> idle(2 + peers.size());
  for (int repeat = 0; repeat < kIdleRepeats; ++repeat) {
    idle[0].push_back(CpuPercentDuring([&] { ComponentExchange(line.comm, read); }));
    idle[1].push_back(CpuPercentDuring(
        [&] { line.plain.Exchange(read.command, read.replyLength, kReplyTimeout); }));
    for (std::size_t i = 0; i < peers.size(); ++i) {
      const auto answer =
          peers[i]->SilentExchange(static_cast<int>(read.command.size()), read.replyLength);
      if (answer) idle[2 + i].push_back(bench::CpuPercent(answer->cpuSeconds, answer->wallSeconds));
    }
  }
  line.comm.Close();
  std::vector<std::optional<double>> medians;
  for (std::size_t i = 0; i < idle.size(); ++i) {
    const std::string& name = contenders[i].name;
    if (idle[i].empty()) {
      medians.emplace_back();
      continue;
    }
    medians.push_back(bench::Percentile(idle[i], 0.5));
    std::printf("idle %-8s median %.4f%% of a core over %zu waits of 3 s\n", name.c_str(),
                *medians.back(), idle[i].size());
  }
  const double oursCpu = *medians[0];
  const auto qtCpu = PeerFigure(contenders, medians, "qt");
  const auto pyserialCpu = PeerFigure(contenders, medians, "pyserial");
  bench::PrintSummary(
      {"idle_wait_cpu", "%", oursCpu, medians[1].value_or(0.0), qtCpu, pyserialCpu,
       "<1%_and_<peers",
       oursCpu < kIdleTargetPercent && FasterThanPeers(oursCpu, qtCpu, pyserialCpu)});
  return 0;
}
