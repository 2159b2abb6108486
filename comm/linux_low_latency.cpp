#include "comm/linux_low_latency.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>
#include <system_error>

namespace kx14 {
namespace {

constexpr int kLowestLatencyMs = 1;

bool IsUnsupported(int error) { return error == ENOTTY || error == EINVAL; }

LowLatencyOutcome OutcomeOfFailure(int error) {
  return IsUnsupported(error) ? LowLatencyOutcome::kUnsupported : LowLatencyOutcome::kRefused;
}

LowLatencyOutcome SetAsyncLowLatency(int fd) {
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return OutcomeOfFailure(errno);
  if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return LowLatencyOutcome::kGranted;
  serial.flags |= ASYNC_LOW_LATENCY;
  if (ioctl(fd, TIOCSSERIAL, &serial) != 0) return OutcomeOfFailure(errno);
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

LowLatencyOutcome LowerLatencyTimer(int ttyFd, const std::filesystem::path& sysfsRoot) {
  struct stat status {};
  if (fstat(ttyFd, &status) != 0 || !S_ISCHR(status.st_mode)) {
    return LowLatencyOutcome::kUnsupported;
  }
  const std::filesystem::path attribute =
      LatencyTimerPath(sysfsRoot, major(status.st_rdev), minor(status.st_rdev));
  std::error_code error;
  if (!std::filesystem::is_regular_file(attribute, error)) return LowLatencyOutcome::kUnsupported;
  const int current = ReadAttribute(attribute);
  if (current >= 0 && current <= kLowestLatencyMs) return LowLatencyOutcome::kGranted;
  return WriteAttribute(attribute, kLowestLatencyMs) ? LowLatencyOutcome::kGranted
                                                     : LowLatencyOutcome::kRefused;
}

}  // namespace

std::filesystem::path LatencyTimerPath(const std::filesystem::path& sysfsRoot, unsigned major,
                                       unsigned minor) {
  return sysfsRoot / "dev" / "char" / (std::to_string(major) + ":" + std::to_string(minor)) /
         "device" / "latency_timer";
}

LowLatencyReport RequestLowLatency(int fd, const std::filesystem::path& sysfsRoot) {
  LowLatencyReport report;
  report.asyncFlag = SetAsyncLowLatency(fd);
  report.latencyTimer = LowerLatencyTimer(fd, sysfsRoot);
  return report;
}

}  // namespace kx14
