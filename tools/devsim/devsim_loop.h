#pragma once

// The simulator's event loop: bytes from the pty master go to the responder,
// its replies go out through the output schedule, control lines from
// standard input change its behaviour, and every event is logged. One
// thread; ppoll() sleeps until a descriptor is ready or the next reply byte or
// frame expiry is due.

#include <chrono>
#include <string>
#include <string_view>

#include "tools/devsim/device_responder.h"
#include "tools/devsim/frame_log.h"
#include "tools/devsim/output_schedule.h"
#include "tools/devsim/port_registration.h"
#include "tools/devsim/stop_signals.h"

namespace kx14::devsim {

class DevsimLoop {
 public:
  // controlFd < 0: no control commands. Without a registration the
  // unregister and register commands are refused.
  DevsimLoop(int masterFd, int controlFd, DeviceResponder& responder, OutputSchedule& schedule,
             FrameLog& log, PortRegistration* registration = nullptr);

  // Runs until a stop signal or a "quit" command. Throws std::system_error
  // when polling itself fails.
  void Run(const StopSignals& signals);

 private:
  void Handle(const ResponderOutput& output, Clock::time_point now);
  void ReadMaster(Clock::time_point now);
  void WritePending(Clock::time_point now);
  void ReadControl();
  void ApplyControlLine(std::string_view line);
  std::string ApplyRegistration(bool registered);
  void Wait(const StopSignals& signals, Clock::time_point now);

  int masterFd_;
  int controlFd_;
  DeviceResponder& responder_;
  OutputSchedule& schedule_;
  FrameLog& log_;
  PortRegistration* registration_;
  std::string unwritten_;  // due bytes the master did not take yet
  std::string controlLine_;
  // After a hang-up the master is left out of the poll set until then, so a
  // master that keeps reporting POLLHUP cannot make the loop spin.
  Clock::time_point masterQuietUntil_{};
  bool quit_ = false;
};

}  // namespace kx14::devsim
