// The low-latency request at open: a capability that a pty lacks (and must
// not fail the open for), the adapter's latency_timer on a fake sysfs tree,
// and, with KX14_HW_PORT naming a real adapter, the driver's own answer.
#include "comm/linux/low_latency.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "comm/linux/serial_device.h"
#include "comm/serial_device.h"
#include "pty_pair.h"
#include "temp_dir.h"

namespace kx14::test {
namespace {

namespace fs = std::filesystem;
using testing::PtyPair;
using testing::ReadFromFd;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A sysfs root of its own with the pty's device number under dev/char.
class FakeSysfs {
 public:
  explicit FakeSysfs(const std::string& ttyPath) {
    struct stat status {};
    if (stat(ttyPath.c_str(), &status) != 0) throw std::runtime_error("stat of the pty failed");
    device_ = LatencyTimerPath(Root(), major(status.st_rdev), minor(status.st_rdev)).parent_path();
    fs::create_directories(device_);
  }

  const fs::path& Root() const { return root_.path(); }
  fs::path Attribute() const { return device_ / "latency_timer"; }

 private:
  testing::TempDir root_;
  fs::path device_;
};

TEST(LowLatency, PtyHasNeitherKnobAndStaysUsable) {
  PtyPair pty;
  const int fd = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const LowLatencyReport report = RequestLowLatency(fd);
  EXPECT_EQ(report.asyncFlag, LowLatencyOutcome::kUnsupported);
  EXPECT_EQ(report.latencyTimer, LowLatencyOutcome::kUnsupported);
  ASSERT_EQ(write(fd, "x", 1), 1) << "the descriptor is untouched";
  EXPECT_EQ(ReadFromFd(pty.Master(), 1, std::chrono::milliseconds(1000)), "x");
  close(fd);
}

TEST(LowLatency, OpeningAPtyStillSucceeds) {
  PtyPair pty;
  const std::unique_ptr<SerialDevice> device = OpenLinuxSerialDevice(pty.SlavePath());
  ASSERT_NE(device, nullptr);
  EXPECT_GE(static_cast<int>(device->NativeHandle()), 0);
}

struct TimerCase {
  const char* name;
  const char* before;  // nullptr: no attribute file
  bool asDirectory;
  LowLatencyOutcome outcome;
  const char* after;
};

class LatencyTimer : public ::testing::TestWithParam<TimerCase> {};

TEST_P(LatencyTimer, IsLoweredToOneMillisecondWhereTheAdapterHasOne) {
  const TimerCase& c = GetParam();
  PtyPair pty;
  FakeSysfs sysfs(pty.SlavePath());
  if (c.asDirectory) fs::create_directory(sysfs.Attribute());
  if (c.before != nullptr) std::ofstream(sysfs.Attribute()) << c.before;
  const int fd = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(RequestLowLatency(fd, sysfs.Root()).latencyTimer, c.outcome);
  close(fd);
  if (c.after != nullptr) {
    EXPECT_EQ(Slurp(sysfs.Attribute()), c.after);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Attribute, LatencyTimer,
    ::testing::Values(
        TimerCase{"FtdiDefaultIsLowered", "16\n", false, LowLatencyOutcome::kGranted, "1\n"},
        TimerCase{"OneIsLeftAlone", "1\n", false, LowLatencyOutcome::kGranted, "1\n"},
        TimerCase{"ZeroIsLeftAlone", "0\n", false, LowLatencyOutcome::kGranted, "0\n"},
        TimerCase{"UnreadableValueIsOverwritten", "junk", false, LowLatencyOutcome::kGranted,
                  "1\n"},
        TimerCase{"NoAttribute", nullptr, false, LowLatencyOutcome::kUnsupported, nullptr},
        TimerCase{"DirectoryIsNoAttribute", nullptr, true, LowLatencyOutcome::kUnsupported,
                  nullptr}),
    [](const ::testing::TestParamInfo<TimerCase>& row) { return std::string(row.param.name); });

TEST(LowLatency, ClosingTheDeviceRestoresTheAdaptersTimer) {
  PtyPair pty;
  FakeSysfs sysfs(pty.SlavePath());
  std::ofstream(sysfs.Attribute()) << "16\n";
  std::unique_ptr<SerialDevice> device = OpenLinuxSerialDevice(pty.SlavePath(), sysfs.Root());
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(Slurp(sysfs.Attribute()), "1\n");
  device.reset();
  EXPECT_EQ(Slurp(sysfs.Attribute()), "16\n");
}

// Needs a real adapter: KX14_HW_PORT=/dev/ttyUSB0 (any tty the user may open).
TEST(LowLatencyHardware, AdapterDeliversAtOnceAfterOpen) {
  const char* port = std::getenv("KX14_HW_PORT");
  if (port == nullptr || *port == '\0') GTEST_SKIP() << "KX14_HW_PORT names no serial adapter";
  const std::unique_ptr<SerialDevice> device = OpenLinuxSerialDevice(port);
  ASSERT_NE(device, nullptr) << port << " cannot be opened";

  serial_struct serial{};
  const bool hasFlag = ioctl(static_cast<int>(device->NativeHandle()), TIOCGSERIAL, &serial) == 0;
  struct stat status {};
  ASSERT_EQ(fstat(static_cast<int>(device->NativeHandle()), &status), 0);
  const fs::path timer = LatencyTimerPath("/sys", major(status.st_rdev), minor(status.st_rdev));
  const bool hasTimer = fs::is_regular_file(timer);
  if (!hasFlag && !hasTimer) GTEST_SKIP() << port << " has no latency knob";

  if (hasFlag) {
    EXPECT_NE(serial.flags & ASYNC_LOW_LATENCY, 0) << "ASYNC_LOW_LATENCY is set";
  }
  if (hasTimer) {
    EXPECT_LE(std::stoi(Slurp(timer)), 1) << timer << " is at most 1 ms";
  }
}

}  // namespace
}  // namespace kx14::test
