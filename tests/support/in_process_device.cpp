#include "in_process_device.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <system_error>

#include "tools/devsim/pty_endpoint.h"

namespace kx14::testing {
namespace {

using Clock = std::chrono::steady_clock;

int PollTimeoutMs(std::optional<Clock::time_point> wakeUp, Clock::time_point now) {
  if (!wakeUp) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*wakeUp - now);
  return static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, 60'000));
}

std::optional<Clock::time_point> Earliest(std::optional<Clock::time_point> a,
                                          std::optional<Clock::time_point> b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

}  // namespace

InProcessDevice::InProcessDevice(const BlockBytes& block)
    : pty_(std::make_unique<devsim::PtyEndpoint>()),
      masterFd_(pty_->MasterFd()),
      slavePath_(pty_->SlavePath()),
      numberHold_(::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)),
      responder_(block) {
  if (numberHold_ < 0) throw std::system_error(errno, std::generic_category(), "open pty slave");
  if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::system_error(errno, std::generic_category(), "pipe2");
  }
  thread_ = std::thread([this] { Run(); });
}

InProcessDevice::~InProcessDevice() {
  stop_ = true;
  Wake();
  thread_.join();
  ::close(wakePipe_[0]);
  ::close(wakePipe_[1]);
  ::close(numberHold_);
}

BlockBytes InProcessDevice::Block() const {
  std::lock_guard lock(mutex_);
  return responder_.Block();
}

void InProcessDevice::SetBlock(const BlockBytes& block) {
  std::lock_guard lock(mutex_);
  responder_.SetBlock(block);
}

devsim::Behaviour InProcessDevice::GetBehaviour() const {
  std::lock_guard lock(mutex_);
  return responder_.GetBehaviour();
}

void InProcessDevice::SetBehaviour(const devsim::Behaviour& behaviour) {
  std::lock_guard lock(mutex_);
  responder_.SetBehaviour(behaviour);
}

void InProcessDevice::SetFaults(const devsim::Faults& faults) {
  std::lock_guard lock(mutex_);
  devsim::Behaviour behaviour = responder_.GetBehaviour();
  behaviour.faults = faults;
  responder_.SetBehaviour(behaviour);
}

void InProcessDevice::SetDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  devsim::Behaviour behaviour = responder_.GetBehaviour();
  behaviour.delay = delay;
  responder_.SetBehaviour(behaviour);
}

std::size_t InProcessDevice::CommandsReceived() const {
  std::lock_guard lock(mutex_);
  return commands_.size();
}

std::size_t InProcessDevice::BlocksStored() const {
  std::lock_guard lock(mutex_);
  return stored_;
}

std::vector<ByteString> InProcessDevice::Commands() const {
  std::lock_guard lock(mutex_);
  return commands_;
}

bool InProcessDevice::WaitForCommands(std::size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return commands_.size() >= count; });
}

void InProcessDevice::SetCommandHook(std::function<void(const ByteString&)> hook) {
  std::lock_guard lock(mutex_);
  hook_ = std::move(hook);
}

void InProcessDevice::SendNow(const ByteString& bytes) {
  {
    std::lock_guard lock(mutex_);
    injected_ += bytes;
  }
  Wake();
}

void InProcessDevice::ArmHangUp(HangUp when) {
  std::lock_guard lock(mutex_);
  armed_ = when;
}

void InProcessDevice::HangUpNow() {
  hangUpRequested_ = true;
  Wake();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return hungUp_; });
}

bool InProcessDevice::HungUp() const {
  std::lock_guard lock(mutex_);
  return hungUp_;
}

bool InProcessDevice::WaitForHangUp(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return hungUp_; });
}

void InProcessDevice::SetHeld(bool held) {
  held_ = held;
  Wake();
}

void InProcessDevice::SetStalled(bool stalled) {
  stalled_ = stalled;
  Wake();
}

void InProcessDevice::Wake() {
  const char byte = 0;
  (void)!::write(wakePipe_[1], &byte, 1);
}

void InProcessDevice::Run() {
  while (!stop_) {
    const Clock::time_point now = Clock::now();
    if (hangUpRequested_.exchange(false)) DropLine();
    if (pty_) {
      std::unique_lock lock(mutex_);
      const devsim::ResponderOutput expired = responder_.Expire(now);
      lock.unlock();
      Handle(expired, now);
      WriteDue(now);
    }
    WaitForEvents(now);
  }
}

void InProcessDevice::WaitForEvents(Clock::time_point now) {
  std::array<pollfd, 2> fds{};
  fds[0].fd = wakePipe_[0];
  fds[0].events = POLLIN;
  fds[1].fd = -1;
  std::optional<Clock::time_point> wakeUp;
  if (pty_) {
    fds[1].fd = masterFd_;
    fds[1].events =
        static_cast<short>((stalled_ ? 0 : POLLIN) | (unwritten_.empty() ? 0 : POLLOUT));
    std::lock_guard lock(mutex_);
    // Held replies are due but wait for SetHeld(false), which wakes us.
    wakeUp = Earliest(held_ ? std::nullopt : schedule_.NextDue(), responder_.ExpiryDeadline());
  }
  if (::poll(fds.data(), fds.size(), PollTimeoutMs(wakeUp, now)) < 0) return;
  if (fds[0].revents != 0) {
    std::array<char, 64> drain{};
    while (::read(wakePipe_[0], drain.data(), drain.size()) > 0) {
    }
  }
  if (pty_ && (fds[1].revents & POLLIN) != 0) ReadFromHost(Clock::now());
}

void InProcessDevice::ReadFromHost(Clock::time_point now) {
  std::array<char, 4096> buffer{};
  const ssize_t count = ::read(masterFd_, buffer.data(), buffer.size());
  if (count <= 0) return;

  std::unique_lock lock(mutex_);
  if (armed_ == HangUp::kOnCommandBytes) {
    armed_ = HangUp::kNever;
    lock.unlock();
    DropLine();
    return;
  }
  const devsim::ResponderOutput output =
      responder_.Receive({buffer.data(), static_cast<std::size_t>(count)}, now);
  std::vector<ByteString> received;
  for (const devsim::FrameEvent& event : output.events) {
    if (event.kind == devsim::FrameEvent::Kind::kReceived) received.push_back(event.bytes);
    if (event.kind == devsim::FrameEvent::Kind::kStored) ++stored_;
  }
  commands_.insert(commands_.end(), received.begin(), received.end());
  const std::function<void(const ByteString&)> hook = hook_;
  const HangUp armed = received.empty() ? HangUp::kNever : armed_;
  if (armed != HangUp::kNever) armed_ = HangUp::kNever;
  changed_.notify_all();
  lock.unlock();

  if (hook) {
    for (const ByteString& command : received) hook(command);
  }
  if (armed == HangUp::kAfterCommand) {
    DropLine();
  } else if (armed == HangUp::kMidReply && !output.replies.empty()) {
    const ByteString& reply = output.replies.front().bytes;
    (void)!::write(masterFd_, reply.data(), reply.size() / 2);
    DropLine();
  } else {
    Handle(output, now);
  }
}

void InProcessDevice::Handle(const devsim::ResponderOutput& output, Clock::time_point now) {
  for (const devsim::Reply& reply : output.replies) schedule_.Add(reply.bytes, now + reply.delay);
}

void InProcessDevice::WriteDue(Clock::time_point now) {
  {
    std::lock_guard lock(mutex_);
    unwritten_ += injected_;
    injected_.clear();
  }
  if (!held_) unwritten_ += schedule_.TakeDue(now);
  if (unwritten_.empty()) return;
  const ssize_t written = ::write(masterFd_, unwritten_.data(), unwritten_.size());
  if (written > 0) unwritten_.erase(0, static_cast<std::size_t>(written));
}

// Closing the master hangs the slave up for whoever holds it open: reads
// and writes there fail from now on, as when a cable is pulled.
void InProcessDevice::DropLine() {
  pty_.reset();
  masterFd_ = -1;
  unwritten_.clear();
  std::lock_guard lock(mutex_);
  hungUp_ = true;
  changed_.notify_all();
}

}  // namespace kx14::testing
