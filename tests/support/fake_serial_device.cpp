#include "fake_serial_device.h"

#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <system_error>

#include "comm/linux/fd_waits.h"

namespace kx14 {

struct FakeLine::State {
  int nearFd = -1;  // the component's side, non-blocking
  int farFd = -1;   // the test's side
  mutable std::mutex mutex;
  bool open = false;
  std::function<bool(const Dcb&)> refuseState;
  bool refuseTimeouts = false;
  bool refuseQueueSizes = false;
  std::uint32_t failWriteBits = 0;
  bool failWakeRegistration = false;
  std::uint32_t eventWaitsBegun = 0;
  bool inEventWait = false;
  std::uint32_t pendingErrorBits = 0;
  std::uint32_t pendingBreaks = 0;
  std::uint32_t eventsTaken = 0;
  Dcb state;
  CommTimeouts timeouts;
  std::vector<Event> events;
  std::vector<Dcb> statesSet;

  ~State() {
    close(nearFd);
    if (farFd >= 0) close(farFd);
  }

  void Record(Event::Kind kind, std::size_t bytes = 0) {
    events.push_back(Event{kind, Clock::now(), bytes});
  }
};

class FakeSerialDevice final : public SerialDevice {
 public:
  explicit FakeSerialDevice(std::shared_ptr<FakeLine::State> line)
      : line_(std::move(line)), edges_(line_->nearFd) {}

  ~FakeSerialDevice() override {
    std::lock_guard lock(line_->mutex);
    line_->open = false;
  }

  FakeSerialDevice(const FakeSerialDevice&) = delete;
  FakeSerialDevice& operator=(const FakeSerialDevice&) = delete;

  WaitObject InputWait() override { return {line_->nearFd}; }
  std::uintptr_t NativeHandle() const override {
    return static_cast<std::uintptr_t>(line_->nearFd);
  }

  bool GetState(Dcb& dcb) override {
    std::lock_guard lock(line_->mutex);
    dcb = line_->state;
    return true;
  }

  bool SetState(const Dcb& dcb) override {
    std::lock_guard lock(line_->mutex);
    if (line_->refuseState && line_->refuseState(dcb)) return false;
    line_->state = dcb;
    line_->statesSet.push_back(dcb);
    return true;
  }

  bool SetTimeouts(const CommTimeouts& timeouts) override {
    std::lock_guard lock(line_->mutex);
    if (line_->refuseTimeouts) return false;
    line_->timeouts = timeouts;
    return true;
  }

  CommTimeouts Timeouts() const override {
    std::lock_guard lock(line_->mutex);
    return line_->timeouts;
  }

  bool SetQueueSizes(std::int32_t input, std::int32_t output) override {
    std::lock_guard lock(line_->mutex);
    return !line_->refuseQueueSizes && input > 0 && output > 0;
  }

  IoResult Write(const std::uint8_t* data, std::size_t count) override {
    {
      std::lock_guard lock(line_->mutex);
      if (line_->failWriteBits != 0) {
        line_->pendingErrorBits |= line_->failWriteBits;
        return {IoResult::Status::kFailed, 0};
      }
    }
    const ssize_t n = send(line_->nearFd, data, count, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) {
      std::lock_guard lock(line_->mutex);
      line_->Record(FakeLine::Event::Kind::kWrite, static_cast<std::size_t>(n));
      return {IoResult::Status::kDone, static_cast<std::size_t>(n)};
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) return {IoResult::Status::kWouldBlock, 0};
    if (errno == EPIPE || errno == ECONNRESET) return {IoResult::Status::kHungUp, 0};
    return {IoResult::Status::kFailed, 0};
  }

  IoResult Read(std::uint8_t* buffer, std::size_t count) override {
    const ssize_t n = recv(line_->nearFd, buffer, count, MSG_DONTWAIT);
    if (n > 0) return {IoResult::Status::kDone, static_cast<std::size_t>(n)};
    if (n == 0) return {IoResult::Status::kHungUp, 0};
    if (errno == EAGAIN || errno == EWOULDBLOCK) return {IoResult::Status::kWouldBlock, 0};
    return {IoResult::Status::kFailed, 0};
  }

  void PurgeInput() override {
    std::uint8_t sink[256];
    while (recv(line_->nearFd, sink, sizeof sink, MSG_DONTWAIT) > 0) {
    }
  }

  void PurgeOutput() override {}

  void SetRts(bool on) override {
    std::lock_guard lock(line_->mutex);
    line_->Record(on ? FakeLine::Event::Kind::kRtsOn : FakeLine::Event::Kind::kRtsOff);
  }

  void SetDtr(bool on) override {
    std::lock_guard lock(line_->mutex);
    line_->Record(on ? FakeLine::Event::Kind::kDtrOn : FakeLine::Event::Kind::kDtrOff);
  }

  std::int32_t InputCount() override {
    int count = 0;
    if (ioctl(line_->nearFd, FIONREAD, &count) != 0) return 0;
    return count;
  }

  std::int32_t OutputCount() override { return 0; }

  LineEvents TakeLineEvents() override {
    std::lock_guard lock(line_->mutex);
    LineEvents events{line_->pendingErrorBits, line_->pendingBreaks};
    if (events.errorBits != 0 || events.breaks != 0) ++line_->eventsTaken;
    line_->pendingErrorBits = 0;
    line_->pendingBreaks = 0;
    return events;
  }

  void PrepareEventWait(WakeSignal& wake) override {
    {
      std::lock_guard lock(line_->mutex);
      if (line_->failWakeRegistration) throw std::system_error(EMFILE, std::generic_category());
    }
    edges_.Watch(wake);
  }
  PortWake WaitForEvent(WakeSignal& wake) override {
    SetInEventWait(true);
    const PortWake result = edges_.Wait(wake);
    SetInEventWait(false);
    return result;
  }
  void WatchInput(bool on) override { edges_.SetWatching(on); }
  bool KeepsLineCounters() override { return true; }

  WaitOutcome WaitWritable(WakeSignal& wake,
                           std::optional<std::chrono::milliseconds> timeout) override {
    return WaitFdWritable(line_->nearFd, wake, timeout);
  }

 private:
  std::shared_ptr<FakeLine::State> line_;
  void SetInEventWait(bool waiting) {
    std::lock_guard lock(line_->mutex);
    line_->inEventWait = waiting;
    if (waiting) ++line_->eventWaitsBegun;
  }

  InputEdgeWaiter edges_;
};

FakeLine::FakeLine() : state_(std::make_shared<State>()) {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
    throw std::system_error(errno, std::generic_category(), "socketpair");
  }
  state_->nearFd = fds[0];
  state_->farFd = fds[1];
  state_->state.BaudRate = 9600;
  state_->state.ByteSize = 8;
}

// The descriptors close with the state, after the last device on the line.
FakeLine::~FakeLine() = default;

int FakeLine::FarFd() const { return state_->farFd; }

void FakeLine::HangUp() {
  if (state_->farFd >= 0) close(state_->farFd);
  state_->farFd = -1;
}

std::unique_ptr<SerialDevice> FakeLine::Open() {
  {
    std::lock_guard lock(state_->mutex);
    if (state_->open) return nullptr;
    state_->open = true;
  }
  return std::make_unique<FakeSerialDevice>(state_);
}

bool FakeLine::IsOpen() const {
  std::lock_guard lock(state_->mutex);
  return state_->open;
}

void FakeLine::RefuseStateWhen(std::function<bool(const Dcb&)> refuse) {
  std::lock_guard lock(state_->mutex);
  state_->refuseState = std::move(refuse);
}

void FakeLine::RefuseTimeouts(bool refuse) {
  std::lock_guard lock(state_->mutex);
  state_->refuseTimeouts = refuse;
}

void FakeLine::RefuseQueueSizes(bool refuse) {
  std::lock_guard lock(state_->mutex);
  state_->refuseQueueSizes = refuse;
}

void FakeLine::FailWritesWith(std::uint32_t errorBits) {
  std::lock_guard lock(state_->mutex);
  state_->failWriteBits = errorBits;
}

std::uint32_t FakeLine::EventWaitsBegun() const {
  std::lock_guard lock(state_->mutex);
  return state_->eventWaitsBegun;
}

bool FakeLine::InEventWait() const {
  std::lock_guard lock(state_->mutex);
  return state_->inEventWait;
}

void FakeLine::FailWakeRegistration() {
  std::lock_guard lock(state_->mutex);
  state_->failWakeRegistration = true;
}

void FakeLine::InjectLineErrors(std::uint32_t errorBits, std::uint8_t garbled) {
  {
    std::lock_guard lock(state_->mutex);
    state_->pendingErrorBits |= errorBits;
  }
  (void)!write(state_->farFd, &garbled, 1);
}

void FakeLine::InjectBreak() {
  {
    std::lock_guard lock(state_->mutex);
    ++state_->pendingBreaks;
  }
  const std::uint8_t zero = 0;
  (void)!write(state_->farFd, &zero, 1);
}

std::vector<FakeLine::Event> FakeLine::Events() const {
  std::lock_guard lock(state_->mutex);
  return state_->events;
}

std::vector<Dcb> FakeLine::StatesSet() const {
  std::lock_guard lock(state_->mutex);
  return state_->statesSet;
}

std::uint32_t FakeLine::LineEventsTaken() const {
  std::lock_guard lock(state_->mutex);
  return state_->eventsTaken;
}

}  // namespace kx14
