#pragma once

// A device a test can make misbehave on cue, from inside the test: the
// simulator's own frame handler (kx14_devsim_core) answering on the master
// side of a pseudo-terminal, in this process, on a thread of its own. The
// serial component opens the slave side like any port. Beyond the simulator's
// faults it can hang up on cue (the master closed: the host sees the line
// drop), stop taking bytes (the host's writes back up), hold its replies,
// slip bytes in ahead of them and run a hook on each command. The fault
// campaign and the window's fault tests play the device with it; the
// benchmarks use instant_device.h, which does nothing but answer.
//
// Every member is safe to call from any thread. The hook runs on the device's
// thread, without the device's lock held.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/byte_string.h"
#include "protocol/parameter_block.h"
#include "tools/devsim/behaviour.h"
#include "tools/devsim/device_responder.h"
#include "tools/devsim/output_schedule.h"

namespace kx14::devsim {
class PtyEndpoint;
}

namespace kx14::testing {

// When the device drops the line.
enum class HangUp {
  kNever,
  kOnCommandBytes,  // as soon as bytes of the next command arrive, unhandled
  kAfterCommand,    // the next complete command handled (a block stored), no reply
  kMidReply,        // the next reply's first half sent, then the line drops
};

class InProcessDevice final {
 public:
  explicit InProcessDevice(const BlockBytes& block = devsim::kWorkedExampleBlock);
  ~InProcessDevice();
  InProcessDevice(const InProcessDevice&) = delete;
  InProcessDevice& operator=(const InProcessDevice&) = delete;

  const std::string& SlavePath() const { return slavePath_; }

  // The block the device holds now.
  BlockBytes Block() const;
  void SetBlock(const BlockBytes& block);
  devsim::Behaviour GetBehaviour() const;
  void SetBehaviour(const devsim::Behaviour& behaviour);
  void SetFaults(const devsim::Faults& faults);
  void SetDelay(std::chrono::milliseconds delay);

  // Commands received complete and blocks stored so far.
  std::size_t CommandsReceived() const;
  std::size_t BlocksStored() const;
  std::vector<ByteString> Commands() const;
  // Waits (generously bounded) until `count` commands have come in all.
  bool WaitForCommands(std::size_t count, std::chrono::milliseconds timeout);

  // Runs on the device's thread after each complete command (and before its
  // reply leaves), with the command's bytes. Each call runs a copy of `hook`,
  // so state it must keep belongs outside it.
  void SetCommandHook(std::function<void(const ByteString&)> hook);
  // Sends `bytes` at once, ahead of every reply not yet sent: line noise, or
  // a stale reply to an earlier command.
  void SendNow(const ByteString& bytes);

  void ArmHangUp(HangUp when);
  // Drops the line now and waits until it is down.
  void HangUpNow();
  // Whether the line is down; the host may notice the drop a moment before
  // this turns true, so a test that saw the drop waits for it.
  bool HungUp() const;
  bool WaitForHangUp(std::chrono::milliseconds timeout);
  // While held, replies wait (their delays still run) and leave together
  // when released: the window's wait lasts exactly as long as a test needs.
  void SetHeld(bool held);
  // While stalled the device reads nothing: the host's output backs up in
  // the pty until its writes would block.
  void SetStalled(bool stalled);

 private:
  void Run();
  void WaitForEvents(std::chrono::steady_clock::time_point now);
  void ReadFromHost(std::chrono::steady_clock::time_point now);
  void Handle(const devsim::ResponderOutput& output, std::chrono::steady_clock::time_point now);
  void WriteDue(std::chrono::steady_clock::time_point now);
  void DropLine();  // device thread only
  void Wake();

  std::unique_ptr<devsim::PtyEndpoint> pty_;  // the device thread closes it on a hang-up
  int masterFd_ = -1;
  std::string slavePath_;
  // A descriptor of the slave held until the device is destroyed: the pty's
  // number stays taken after a hang-up, so the dead line's path cannot be
  // handed to a pty that a test running beside this one opens (reopening the
  // port must find the line gone, not someone else's).
  int numberHold_ = -1;
  int wakePipe_[2] = {-1, -1};

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  devsim::DeviceResponder responder_;            // under mutex_
  devsim::OutputSchedule schedule_;              // device thread only
  ByteString unwritten_;                         // device thread only
  ByteString injected_;                          // under mutex_: SendNow's bytes
  std::vector<ByteString> commands_;             // under mutex_
  std::size_t stored_ = 0;                       // under mutex_
  std::function<void(const ByteString&)> hook_;  // under mutex_
  HangUp armed_ = HangUp::kNever;                // under mutex_
  bool hungUp_ = false;                          // under mutex_
  std::atomic<bool> hangUpRequested_{false};
  std::atomic<bool> held_{false};
  std::atomic<bool> stalled_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace kx14::testing
