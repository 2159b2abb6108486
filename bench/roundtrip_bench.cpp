// Round trip of the device exchange over a pty: a 1-byte command out through
// WriteString, an 18-byte reply in through Read, against a far end that
// answers at once. Printed beside the same exchange done with plain blocking
// write/poll/read on a twin pty in the same run; the two alternate in rounds
// so that both see the same machine load. Then the CPU the process spends
// while Read waits 3 s for a reply that never comes.
//
//   roundtrip_bench [exchanges]     (default 1000)

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"

namespace {

using Clock = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

constexpr int kComPort = 1;
constexpr std::size_t kReplySize = 18;
constexpr int kWarmUp = 50;

// Answers each command byte with an 18-byte reply at once, unless muted.
class FarEnd {
 public:
  explicit FarEnd(int master) : master_(master), thread_([this] { Run(); }) {}
  ~FarEnd() {
    stop_ = true;
    thread_.join();
  }
  void Mute(bool on) { mute_ = on; }

 private:
  void Run() {
    const std::string reply(kReplySize, '\x5A');
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char command[64];
      if (read(master_, command, sizeof command) <= 0) continue;
      if (!mute_) (void)!write(master_, reply.data(), reply.size());
    }
  }

  int master_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> mute_{false};
  std::thread thread_;
};

struct Stats {
  double median;
  double p99;
};

Stats Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const auto at = [&](double q) {
    const auto i = static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1));
    return samples[i];
  };
  return {at(0.5), at(0.99)};
}

bool ReadFully(int fd, char* buffer, std::size_t count) {
  std::size_t got = 0;
  while (got < count) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 3000) <= 0) return false;
    const ssize_t n = read(fd, buffer + got, count - got);
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

// The floor: the same exchange with nothing between the caller and the tty.
class PlainPort {
 public:
  explicit PlainPort(const std::string& path)
      : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    termios raw{};
    tcgetattr(fd_, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd_, TCSANOW, &raw);
  }
  ~PlainPort() { close(fd_); }
  PlainPort(const PlainPort&) = delete;
  PlainPort& operator=(const PlainPort&) = delete;

  bool Exchange() {
    char reply[kReplySize];
    const char command = '\xE5';
    return write(fd_, &command, 1) == 1 && ReadFully(fd_, reply, kReplySize);
  }

 private:
  int fd_;
};

bool ComponentExchange(kx14::TCommX& comm) {
  static const kx14::ByteString command("\xE5", 1);
  char reply[kReplySize];
  return comm.WriteString(command) && comm.Read(reply, kReplySize) == kReplySize;
}

template <typename Exchange>
void Measure(int count, std::vector<double>& samples, Exchange exchange) {
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    if (!exchange()) {
      std::fprintf(stderr, "exchange failed\n");
      std::exit(1);
    }
    samples.push_back(Micros(Clock::now() - start).count());
  }
}

struct Pty {
  Pty() {
    char name[256];
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
      std::perror("openpty");
      std::exit(1);
    }
    path = name;
  }
  ~Pty() {
    close(slave);
    close(master);
  }
  int master = -1;
  int slave = -1;
  std::string path;
};

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Percent of one core the process used while `wait` ran.
template <typename Wait>
double CpuPercentDuring(Wait wait) {
  const double cpuBefore = ProcessCpuSeconds();
  const auto start = Clock::now();
  wait();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  return 100.0 * (ProcessCpuSeconds() - cpuBefore) / wall;
}

void PrintLine(const char* measure, double ours, double floor, const char* unit, const char* target,
               bool met) {
  const double ratio = floor > 0 ? ours / floor : 0.0;
  std::printf("bench: %s ours=%.1f%s floor=%.1f%s ratio=%.2f target=%s %s\n", measure, ours, unit,
              floor, unit, ratio, target, met ? "met" : "missed");
}

}  // namespace

int main(int argc, char** argv) {
  const int exchanges = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  constexpr int kRounds = 10;
  const int perRound = std::max(1, exchanges / kRounds);
  Pty oursPty;
  Pty plainPty;
  FarEnd oursFarEnd(oursPty.master);
  FarEnd plainFarEnd(plainPty.master);

  kx14::PollMessagePump pump;
  kx14::TCommX comm(pump);
  comm.SetFlowCtrl(kx14::TCommFlowCtrls::cfcNone);
  comm.SetPortResolver([&](int) { return std::optional<std::filesystem::path>(oursPty.path); });
  comm.SetPortNo(kComPort);
  comm.Open();
  PlainPort plain(plainPty.path);

  std::vector<double> oursSamples;
  std::vector<double> plainSamples;
  std::vector<double> discard;
  Measure(kWarmUp, discard, [&] { return ComponentExchange(comm); });
  Measure(kWarmUp, discard, [&] { return plain.Exchange(); });
  for (int round = 0; round < kRounds; ++round) {
    Measure(perRound, oursSamples, [&] { return ComponentExchange(comm); });
    Measure(perRound, plainSamples, [&] { return plain.Exchange(); });
  }
  const Stats ours = Summarise(oursSamples);
  const Stats floor = Summarise(plainSamples);

  oursFarEnd.Mute(true);
  char reply[kReplySize];
  std::int32_t got = -1;
  const double oursCpu = CpuPercentDuring([&] {
    comm.WriteString(kx14::ByteString("\xE5", 1));
    got = comm.Read(reply, kReplySize);  // TimeOutReceive: 3000 ms
  });
  comm.Close();
  const double floorCpu = CpuPercentDuring([&] { poll(nullptr, 0, 3000); });

  std::printf(
      "exchanges: %zu each (after %d warm-up, %d alternating rounds), reply %zu bytes, "
      "silent read returned %d\n",
      oursSamples.size(), kWarmUp, kRounds, kReplySize, got);
  PrintLine("roundtrip_median", ours.median, floor.median, "us", "1.2",
            ours.median <= 1.2 * floor.median);
  PrintLine("roundtrip_p99", ours.p99, floor.p99, "us", "none", true);
  PrintLine("idle_read_cpu", oursCpu, floorCpu, "%", "<1%", oursCpu < 1.0);
  return 0;
}
