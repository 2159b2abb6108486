#include "comm/linux/low_latency.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <string>
#include <system_error>

namespace kx14 {
namespace {

constexpr int kLowestLatencyMs = 1;

LowLatencyOutcome OutcomeOfFailure(int error) {
  return IsUnsupportedRequest(error) ? LowLatencyOutcome::kUnsupported : LowLatencyOutcome::kRefused;
}

// Sets or clears ASYNC_LOW_LATENCY; false when the driver refuses.
bool ChangeAsyncLowLatency(int fd, serial_struct& serial, bool on) {
  if (on) {
    serial.flags |= ASYNC_LOW_LATENCY;
  } else {
    serial.flags &= ~ASYNC_LOW_LATENCY;
  }
  return ioctl(fd, TIOCSSERIAL, &serial) == 0;
}

LowLatencyOutcome SetAsyncLowLatency(int fd, LowLatencyReport& report) {
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return OutcomeOfFailure(errno);
  if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return LowLatencyOutcome::kGranted;
  if (!ChangeAsyncLowLatency(fd, serial, true)) return OutcomeOfFailure(errno);
  report.asyncFlagSet = true;
  return LowLatencyOutcome::kGranted;
}

// The attribute's number; -1 when it cannot be read or holds none.
int ReadAttribute(const std::filesystem::path& attribute) {
  const int fd = open(attribute.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  char text[16] = {};
  const ssize_t n = pread(fd, text, sizeof text - 1, 0);
  close(fd);
  int value = -1;
  if (n <= 0 || std::from_chars(text, text + n, value).ec != std::errc()) return -1;
  return value;
}

bool WriteAttribute(const std::filesystem::path& attribute, int value) {
  const int fd = open(attribute.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  const std::string text = std::to_string(value) + "\n";
  const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  return written;
}

// The adapter's latency_timer attribute of the tty `fd`, or nothing when
// the device has none.
std::optional<std::filesystem::path> TimerAttribute(int ttyFd,
                                                    const std::filesystem::path& sysfsRoot) {
  struct stat status {};
  if (fstat(ttyFd, &status) != 0 || !S_ISCHR(status.st_mode)) return std::nullopt;
  std::filesystem::path attribute =
      LatencyTimerPath(sysfsRoot, major(status.st_rdev), minor(status.st_rdev));
  std::error_code error;
  if (!std::filesystem::is_regular_file(attribute, error)) return std::nullopt;
  return attribute;
}

LowLatencyOutcome LowerLatencyTimer(int ttyFd, const std::filesystem::path& sysfsRoot,
                                    LowLatencyReport& report) {
  const auto attribute = TimerAttribute(ttyFd, sysfsRoot);
  if (!attribute) return LowLatencyOutcome::kUnsupported;
  const int current = ReadAttribute(*attribute);
  if (current >= 0 && current <= kLowestLatencyMs) return LowLatencyOutcome::kGranted;
  if (!WriteAttribute(*attribute, kLowestLatencyMs)) return LowLatencyOutcome::kRefused;
  report.timerBefore = current;  // -1 when unreadable: then nothing to put back
  return LowLatencyOutcome::kGranted;
}

}  // namespace

bool IsUnsupportedRequest(int error) { return error == ENOTTY || error == EINVAL; }

std::filesystem::path LatencyTimerPath(const std::filesystem::path& sysfsRoot, unsigned major,
                                       unsigned minor) {
  return sysfsRoot / "dev" / "char" / (std::to_string(major) + ":" + std::to_string(minor)) /
         "device" / "latency_timer";
}

LowLatencyReport RequestLowLatency(int fd, const std::filesystem::path& sysfsRoot) {
  LowLatencyReport report;
  report.asyncFlag = SetAsyncLowLatency(fd, report);
  report.latencyTimer = LowerLatencyTimer(fd, sysfsRoot, report);
  return report;
}

void RestoreLatency(int fd, const LowLatencyReport& changed,
                    const std::filesystem::path& sysfsRoot) {
  if (changed.asyncFlagSet) {
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) == 0) ChangeAsyncLowLatency(fd, serial, false);
  }
  if (changed.timerBefore >= 0) {
    if (const auto attribute = TimerAttribute(fd, sysfsRoot)) {
      WriteAttribute(*attribute, changed.timerBefore);
    }
  }
}

}  // namespace kx14
