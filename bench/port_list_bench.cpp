// Port list refresh: the machine's COM port names as the drop-down list is
// rebuilt from them (ListComPortNames, then SortPortNames), with 64
// user-defined ports and a detected tree shaped like a desktop's: 32 ttyS of
// which 2 answer, 4 ttyUSB, 2 ttyACM and 64 virtual consoles without a
// device. The floor is the least any refresh must do with the same trees:
// list both directories and look at each entry once (readdir + lstat).
//
//   port_list_bench [refreshes]     (default 300)

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/summary_line.h"
#include "ports/com_ports.h"
#include "ports/port_name_order.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kUserPorts = 64;
constexpr double kTargetMs = 5.0;

// COM1..COM64 linked to a character device, created in shuffled order so
// that the directory order is not already the list's order.
void MakeUserPorts(const fs::path& portsDir) {
  fs::create_directories(portsDir);
  std::vector<int> numbers(kUserPorts);
  for (int i = 0; i < kUserPorts; ++i) numbers[i] = i + 1;
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(14));
  for (int n : numbers) fs::create_symlink("/dev/null", portsDir / ("COM" + std::to_string(n)));
}

void MakeTty(const fs::path& classTty, const std::string& name, const char* type) {
  const fs::path dir = classTty / name;
  fs::create_directories(dir);
  std::ofstream(dir / "dev") << "4:64\n";
  if (type == nullptr) return;  // a virtual console: no device behind it
  fs::create_directory_symlink("../../devices/" + name, dir / "device");
  std::ofstream(dir / "type") << type << "\n";
}

void MakeDetectedTree(const fs::path& sysfs) {
  const fs::path classTty = sysfs / "class" / "tty";
  for (int i = 0; i < 32; ++i) MakeTty(classTty, "ttyS" + std::to_string(i), i < 2 ? "4" : "0");
  for (int i = 0; i < 4; ++i) MakeTty(classTty, "ttyUSB" + std::to_string(i), "");
  for (int i = 0; i < 2; ++i) MakeTty(classTty, "ttyACM" + std::to_string(i), "");
  for (int i = 0; i < 64; ++i) MakeTty(classTty, "tty" + std::to_string(i), nullptr);
}

std::size_t Refresh(const kx14::PortSources& sources) {
  std::vector<std::string> names = kx14::ListComPortNames(sources);
  kx14::SortPortNames(names);
  return names.size();
}

// readdir and one lstat per entry of both directories.
std::size_t ListBoth(const kx14::PortSources& sources) {
  std::size_t entries = 0;
  for (const fs::path& dir : {sources.portsDir, sources.sysfsRoot / "class" / "tty"}) {
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) continue;
    while (const dirent* e = readdir(d)) {
      struct stat info {};
      if (fstatat(dirfd(d), e->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) ++entries;
    }
    closedir(d);
  }
  return entries;
}

template <typename Work>
std::vector<double> Time(int count, Work work) {
  std::vector<double> samples;
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    if (work() == 0) {
      std::fprintf(stderr, "port_list_bench: nothing listed\n");
      std::exit(1);
    }
    samples.push_back(Millis(Clock::now() - start).count());
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  const int refreshes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  const kx14::testing::TempDir root;
  const kx14::PortSources sources{root.path() / "ports", root.path() / "sys"};
  MakeUserPorts(sources.portsDir);
  MakeDetectedTree(sources.sysfsRoot);

  const std::size_t listed = Refresh(sources);
  Time(20, [&] { return Refresh(sources); });  // warm the dentry cache for both
  Time(20, [&] { return ListBoth(sources); });
  std::vector<double> ours;
  std::vector<double> floor;
  for (int i = 0; i < refreshes; ++i) {
    const auto oursOnce = Time(1, [&] { return Refresh(sources); });
    const auto floorOnce = Time(1, [&] { return ListBoth(sources); });
    ours.push_back(oursOnce.front());
    floor.push_back(floorOnce.front());
  }
  const kx14::PortSources machine{sources.portsDir, "/sys"};
  const kx14::bench::LatencyStats real =
      kx14::bench::Summarise(Time(refreshes, [&] { return Refresh(machine); }));

  const kx14::bench::LatencyStats o = kx14::bench::Summarise(ours);
  const kx14::bench::LatencyStats f = kx14::bench::Summarise(floor);
  std::printf(
      "port_list: %zu names listed; refresh median %.3f ms, p99 %.3f ms (%d refreshes); "
      "readdir+lstat floor %.3f ms; with this machine's /sys %.3f ms\n",
      listed, o.median, o.p99, refreshes, f.median, real.median);
  kx14::bench::PrintSummary({"port_list_refresh", "ms", o.median, f.median, std::nullopt,
                             std::nullopt, "<5ms", o.median < kTargetMs});
  return 0;
}
