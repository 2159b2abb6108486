// Includes <asm/termbits.h> through dcb_termios.h and so must not include
// <termios.h>; <sys/ioctl.h> supplies the TIOCM_* bits.
#include "comm/linux/serial_device.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "comm/linux/dcb_termios.h"
#include "comm/linux/fd_waits.h"
#include "comm/linux/low_latency.h"

namespace kx14 {
namespace {

template <typename Call>
int RetryOnEintr(Call call) {
  int result;
  do {
    result = call();
  } while (result < 0 && errno == EINTR);
  return result;
}

IoResult ResultOf(ssize_t n, bool zeroMeansHangUp) {
  if (n > 0 || (n == 0 && !zeroMeansHangUp)) {
    return {IoResult::Status::kDone, static_cast<std::size_t>(n)};
  }
  if (n == 0) return {IoResult::Status::kHungUp, 0};
  if (errno == EAGAIN || errno == EWOULDBLOCK) return {IoResult::Status::kWouldBlock, 0};
  if (errno == EIO) return {IoResult::Status::kHungUp, 0};
  return {IoResult::Status::kFailed, 0};
}

// A rate the driver rounded by more than this is refused rather than silently
// used: the far end would see garbage.
bool RateIsClose(std::uint32_t asked, std::uint32_t got) {
  const auto diff = std::llabs(static_cast<long long>(asked) - static_cast<long long>(got));
  return diff * 50 <= static_cast<long long>(asked);  // within 2 %
}

class LinuxSerialDevice final : public SerialDevice {
 public:
  LinuxSerialDevice(int fd, const termios2& original, const LowLatencyReport& latency,
                    std::filesystem::path sysfsRoot)
      : fd_(fd),
        original_(original),
        latency_(latency),
        sysfsRoot_(std::move(sysfsRoot)),
        edges_(fd) {
    SnapshotCounters();
  }

  ~LinuxSerialDevice() override {
    RestoreLatency(fd_, latency_, sysfsRoot_);
    ioctl(fd_, TIOCNXCL);
    ioctl(fd_, TCSETS2, &original_);
    close(fd_);  // also releases the flock
  }

  LinuxSerialDevice(const LinuxSerialDevice&) = delete;
  LinuxSerialDevice& operator=(const LinuxSerialDevice&) = delete;

  WaitObject InputWait() override { return {fd_}; }
  std::uintptr_t NativeHandle() const override { return static_cast<std::uintptr_t>(fd_); }

  bool GetState(Dcb& dcb) override {
    termios2 tio{};
    if (RetryOnEintr([&] { return ioctl(fd_, TCGETS2, &tio); }) != 0) return false;
    dcb = TermiosToDcb(tio);
    return true;
  }

  bool SetState(const Dcb& dcb) override {
    termios2 before{};
    if (RetryOnEintr([&] { return ioctl(fd_, TCGETS2, &before); }) != 0) return false;
    const TermiosMapping mapping = DcbToTermios(dcb, before);
    if (mapping.fault != SettingFault::kNone) return false;
    termios2 wanted = mapping.settings.tio;
    if (RetryOnEintr([&] { return ioctl(fd_, TCSETS2, &wanted); }) != 0) return false;
    if (!DriverKeptRate(dcb.BaudRate)) {
      ioctl(fd_, TCSETS2, &before);
      return false;
    }
    ApplyLine(TIOCM_DTR, mapping.settings.dtr);
    ApplyLine(TIOCM_RTS, mapping.settings.rts);
    return true;
  }

  bool SetTimeouts(const CommTimeouts& timeouts) override {
    std::lock_guard lock(mutex_);
    timeouts_ = timeouts;
    return true;
  }

  CommTimeouts Timeouts() const override {
    std::lock_guard lock(mutex_);
    return timeouts_;
  }

  // Linux sizes the tty queues itself; a positive request is accepted as is.
  bool SetQueueSizes(std::int32_t input, std::int32_t output) override {
    return input > 0 && output > 0;
  }

  IoResult Write(const std::uint8_t* data, std::size_t count) override {
    ssize_t n;
    do {
      n = write(fd_, data, count);
    } while (n < 0 && errno == EINTR);
    return ResultOf(n, false);
  }

  IoResult Read(std::uint8_t* buffer, std::size_t count) override {
    ssize_t n;
    do {
      n = read(fd_, buffer, count);
    } while (n < 0 && errno == EINTR);
    return ResultOf(n, count != 0);
  }

  void PurgeInput() override {
    RetryOnEintr([&] { return ioctl(fd_, TCFLSH, TCIFLUSH); });
  }
  void PurgeOutput() override {
    RetryOnEintr([&] { return ioctl(fd_, TCFLSH, TCOFLUSH); });
  }

  void SetRts(bool on) override {
    ApplyLine(TIOCM_RTS, on ? LineLevel::kRaise : LineLevel::kLower);
  }
  void SetDtr(bool on) override {
    ApplyLine(TIOCM_DTR, on ? LineLevel::kRaise : LineLevel::kLower);
  }

  std::int32_t InputCount() override { return QueueCount(TIOCINQ); }
  std::int32_t OutputCount() override { return QueueCount(TIOCOUTQ); }

  LineEvents TakeLineEvents() override {
    std::lock_guard lock(mutex_);
    LineEvents events;
    serial_icounter_struct now{};
    if (!countersSupported_) return events;
    if (ioctl(fd_, TIOCGICOUNT, &now) != 0) {
      if (IsUnsupportedRequest(errno)) countersSupported_ = false;
      return events;
    }
    if (now.overrun != last_.overrun || now.buf_overrun != last_.buf_overrun) {
      events.errorBits |= 0x02;
    }
    if (now.parity != last_.parity) events.errorBits |= 0x04;
    if (now.frame != last_.frame) events.errorBits |= 0x08;
    events.breaks = static_cast<std::uint32_t>(now.brk - last_.brk);
    last_ = now;
    return events;
  }

  void PrepareEventWait(WakeSignal& wake) override { edges_.Watch(wake); }
  PortWake WaitForEvent(WakeSignal& wake) override { return edges_.Wait(wake); }
  void WatchInput(bool on) override { edges_.SetWatching(on); }

  bool KeepsLineCounters() override {
    std::lock_guard lock(mutex_);
    return countersSupported_;
  }

  WaitOutcome WaitWritable(WakeSignal& wake,
                           std::optional<std::chrono::milliseconds> timeout) override {
    return WaitFdWritable(fd_, wake, timeout);
  }

 private:
  // Modem and diagnostic ioctls are capabilities: a pty answers ENOTTY or
  // EINVAL, which means "not supported", never a failure of the port.
  void SnapshotCounters() {
    if (ioctl(fd_, TIOCGICOUNT, &last_) != 0 && IsUnsupportedRequest(errno)) countersSupported_ = false;
  }

  void ApplyLine(int bit, LineLevel level) {
    if (level == LineLevel::kLeave) return;
    RetryOnEintr(
        [&] { return ioctl(fd_, level == LineLevel::kRaise ? TIOCMBIS : TIOCMBIC, &bit); });
  }

  bool DriverKeptRate(std::uint32_t asked) {
    termios2 now{};
    if (ioctl(fd_, TCGETS2, &now) != 0) return false;
    return RateIsClose(asked, now.c_ospeed);
  }

  std::int32_t QueueCount(unsigned long request) {
    int count = 0;
    if (ioctl(fd_, request, &count) != 0) return 0;
    return count;
  }

  const int fd_;
  const termios2 original_;
  const LowLatencyReport latency_;  // what opening changed, put back at close
  const std::filesystem::path sysfsRoot_;
  InputEdgeWaiter edges_;
  mutable std::mutex mutex_;  // guards timeouts_ and the counter snapshot
  CommTimeouts timeouts_;
  serial_icounter_struct last_{};
  bool countersSupported_ = true;
};

int OpenExclusive(const std::filesystem::path& path) {
  const int fd =
      RetryOnEintr([&] { return open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
  if (fd < 0) return -1;
  if (RetryOnEintr([&] { return flock(fd, LOCK_EX | LOCK_NB); }) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::unique_ptr<SerialDevice> OpenLinuxSerialDevice(const std::filesystem::path& path,
                                                     const std::filesystem::path& sysfsRoot) {
  const int fd = OpenExclusive(path);
  if (fd < 0) return nullptr;
  termios2 original{};
  if (RetryOnEintr([&] { return ioctl(fd, TCGETS2, &original); }) != 0) {
    close(fd);  // not a terminal
    return nullptr;
  }
  // Root ignores TIOCEXCL; the flock above is what keeps other openers out.
  ioctl(fd, TIOCEXCL);
  // USB adapters otherwise hold replies up to 16 ms.
  const LowLatencyReport latency = RequestLowLatency(fd, sysfsRoot);
  try {
    return std::make_unique<LinuxSerialDevice>(fd, original, latency, sysfsRoot);
  } catch (const std::exception&) {
    RestoreLatency(fd, latency, sysfsRoot);
    ioctl(fd, TIOCNXCL);
    close(fd);
    return nullptr;
  }
}

}  // namespace kx14
