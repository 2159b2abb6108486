#include "tools/devsim/devsim_loop.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <system_error>
#include <type_traits>

#include "tools/devsim/control_command.h"
#include "protocol/hex_bytes.h"

namespace kx14::devsim {
namespace {

constexpr auto kHangupBackoff = std::chrono::milliseconds(20);
constexpr std::size_t kMaxControlLine = 4096;

std::optional<Clock::time_point> Earliest(std::optional<Clock::time_point> a,
                                          std::optional<Clock::time_point> b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

timespec ToTimespec(Clock::duration duration) {
  const auto nanoseconds = std::max<std::int64_t>(
      0, std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count());
  return {static_cast<time_t>(nanoseconds / 1'000'000'000),
          static_cast<long>(nanoseconds % 1'000'000'000)};
}

std::string DescribeRate(const SetFailRate& command) {
  std::string text = "fail-rate " + std::to_string(command.rate);
  if (command.seed) text += " seed " + std::to_string(*command.seed);
  return text;
}

}  // namespace

DevsimLoop::DevsimLoop(int masterFd, int controlFd, DeviceResponder& responder,
                       OutputSchedule& schedule, FrameLog& log, PortRegistration* registration)
    : masterFd_(masterFd),
      controlFd_(controlFd),
      responder_(responder),
      schedule_(schedule),
      log_(log),
      registration_(registration) {}

void DevsimLoop::Run(const StopSignals& signals) {
  while (!signals.StopRequested() && !quit_) {
    const Clock::time_point now = Clock::now();
    Handle(responder_.Expire(now), now);
    WritePending(now);
    Wait(signals, now);
  }
}

void DevsimLoop::Handle(const ResponderOutput& output, Clock::time_point now) {
  for (const FrameEvent& event : output.events) log_.Line(FormatFrameEvent(event));
  for (const Reply& reply : output.replies) schedule_.Add(reply.bytes, now + reply.delay);
}

void DevsimLoop::Wait(const StopSignals& signals, Clock::time_point now) {
  const bool masterQuiet = now < masterQuietUntil_;
  std::array<pollfd, 2> fds{};
  fds[0].fd = masterQuiet ? -1 : masterFd_;
  fds[0].events = static_cast<short>(POLLIN | (unwritten_.empty() ? 0 : POLLOUT));
  fds[1].fd = controlFd_;
  fds[1].events = POLLIN;

  std::optional<Clock::time_point> wakeUp =
      Earliest(schedule_.NextDue(), responder_.ExpiryDeadline());
  if (!unwritten_.empty() || masterQuiet) wakeUp = Earliest(wakeUp, now + kHangupBackoff);
  const std::optional<timespec> timeout =
      wakeUp ? std::optional<timespec>(ToTimespec(*wakeUp - now)) : std::nullopt;

  const int ready =
      ::ppoll(fds.data(), fds.size(), timeout ? &*timeout : nullptr, signals.WaitMask());
  if (ready < 0) {
    if (errno == EINTR) return;
    throw std::system_error(errno, std::generic_category(), "ppoll");
  }
  const Clock::time_point woke = Clock::now();
  if (fds[0].revents & POLLIN) {
    ReadMaster(woke);
  } else if (fds[0].revents & (POLLHUP | POLLERR)) {
    masterQuietUntil_ = woke + kHangupBackoff;
  }
  if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) ReadControl();
}

void DevsimLoop::ReadMaster(Clock::time_point now) {
  std::array<char, 4096> buffer{};
  const ssize_t count = ::read(masterFd_, buffer.data(), buffer.size());
  if (count > 0) {
    Handle(responder_.Receive({buffer.data(), static_cast<std::size_t>(count)}, now), now);
  } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
    // EIO: no process has the slave open. Keep running; the host may reopen.
    masterQuietUntil_ = now + kHangupBackoff;
  }
}

void DevsimLoop::WritePending(Clock::time_point now) {
  unwritten_ += schedule_.TakeDue(now);
  if (unwritten_.empty() || now < masterQuietUntil_) return;
  const ssize_t written = ::write(masterFd_, unwritten_.data(), unwritten_.size());
  if (written > 0) {
    unwritten_.erase(0, static_cast<std::size_t>(written));
  } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
    // Nobody can receive them; a device's bytes on a dead line are lost too.
    unwritten_.clear();
    masterQuietUntil_ = now + kHangupBackoff;
  }
}

void DevsimLoop::ReadControl() {
  std::array<char, 1024> buffer{};
  const ssize_t count = ::read(controlFd_, buffer.data(), buffer.size());
  if (count <= 0) {
    // End of input, or a read refused (EIO for a background process whose
    // SIGTTIN is ignored): stop listening rather than poll a dead descriptor.
    if (count == 0 || (errno != EINTR && errno != EAGAIN)) controlFd_ = -1;
    return;
  }
  controlLine_.append(buffer.data(), static_cast<std::size_t>(count));
  std::size_t end;
  while ((end = controlLine_.find('\n')) != std::string::npos) {
    const std::string line = controlLine_.substr(0, end);
    controlLine_.erase(0, end + 1);
    ApplyControlLine(line);
  }
  if (controlLine_.size() > kMaxControlLine) {
    controlLine_.clear();
    log_.Line("ctl error line too long");
  }
}

// The pty stays open either way: a host that has the port open keeps
// talking to the device, as it would to an adapter whose entry vanished.
std::string DevsimLoop::ApplyRegistration(bool registered) {
  const std::string command = registered ? "register" : "unregister";
  if (registration_ == nullptr) return "error " + command + ": no port entry";
  try {
    const bool changed = registered ? registration_->Restore() : registration_->Release();
    return command + " " + registration_->Name() + (changed ? "" : " unchanged");
  } catch (const std::system_error& error) {
    return "error " + command + " " + registration_->Name() + ": " + error.what();
  }
}

void DevsimLoop::ApplyControlLine(std::string_view line) {
  if (line.find_first_not_of(" \t\r") == std::string_view::npos) return;
  ControlCommand command;
  try {
    command = ParseControlCommand(line);
  } catch (const std::invalid_argument& error) {
    log_.Line(std::string("ctl error ") + error.what());
    return;
  }
  Behaviour behaviour = responder_.GetBehaviour();
  std::string applied;
  std::visit(
      [&](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, SetFaults>) {
          behaviour.faults = c.faults;
          applied = "mode " + FaultNames(c.faults);
        } else if constexpr (std::is_same_v<T, SetDelay>) {
          behaviour.delay = c.delay;
          applied = "delay " + std::to_string(c.delay.count());
        } else if constexpr (std::is_same_v<T, SetPace>) {
          schedule_.SetByteTime(ByteTimeAtBaud(c.baud));
          applied = c.baud > 0 ? "pace " + std::to_string(c.baud) : "pace off";
        } else if constexpr (std::is_same_v<T, SetFailRate>) {
          behaviour.failRate = c.rate;
          if (c.seed) behaviour.seed = *c.seed;
          applied = DescribeRate(c);
        } else if constexpr (std::is_same_v<T, SetBlock>) {
          responder_.SetBlock(c.block);
          applied = "block " + HexBytes(ToByteString(c.block));
        } else if constexpr (std::is_same_v<T, Unregister>) {
          applied = ApplyRegistration(false);
        } else if constexpr (std::is_same_v<T, Register>) {
          applied = ApplyRegistration(true);
        } else {
          quit_ = true;
          applied = "quit";
        }
      },
      command);
  responder_.SetBehaviour(behaviour);
  log_.Line("ctl " + applied);
}

}  // namespace kx14::devsim
