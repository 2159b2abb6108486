#pragma once

// One port of watch: waits for a car, programs it, waits until it is
// unplugged, and again, until Ctrl+C. A port that disappears (a USB adapter
// unplugged with the car) is waited for, never an error. Each port has a
// watcher of its own on its own thread, so a slow car on one port never
// holds up a car on another.

#include <memory>
#include <optional>
#include <string>

#include "cli/device_session.h"
#include "cli/watch_record.h"
#include "cli/watch_shared.h"

namespace kx14::cli {

class PortWatch {
 public:
  PortWatch(const WatchSetup& setup, std::string port);

  // Until an interrupt. Throws CliFailure only for a port that cannot be
  // watched at all (not for one that is absent or busy for a while).
  void Run();
  const PortTally& Tally() const { return tally_; }

 private:
  // The session on the port, opened when it can be; empty while the port is
  // absent or cannot be opened.
  DeviceSession* Session();
  std::optional<BlockBytes> WaitForCar();
  void HandleCar(const BlockBytes& found);
  void Program(CarRecord& car, THandicapPreset level);
  void WaitForUnplug();
  void Report(const CarRecord& car);

  const WatchSetup& setup_;
  std::string port_;
  std::unique_ptr<DeviceSession> session_;
  PortTally tally_;
};

}  // namespace kx14::cli
