#pragma once

// One port of watch: waits for a car, programs it, waits until it is
// unplugged, and again, until Ctrl+C. A port that disappears (a USB adapter
// unplugged with the car) is waited for, never an error. Each port has a
// watcher of its own on its own thread, so a slow car on one port never
// holds up a car on another.
//
// A car counts as unplugged when its port vanishes, or when reads of it
// have failed several times in a row over a couple of seconds: one garbled
// or missing reply (a dirty contact, noise) is not an unplug. A car swapped
// for another between two reads is told by its block: the new car is
// programmed at once. A car that comes back exactly as this adapter left it
// (after an unplug that was really noise, or a USB hub that reset) is not
// programmed or counted again.

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "cli/device_session.h"
#include "cli/watch/watch_record.h"
#include "cli/watch/watch_shared.h"
#include "protocol/exchange_trace.h"

namespace kx14::cli {

class PortWatch {
 public:
  PortWatch(const WatchSetup& setup, std::string port);

  // Until an interrupt. A port that cannot be opened for a while is said
  // once on stderr and waited for.
  void Run();
  const PortTally& Tally() const { return tally_; }
  const std::string& Port() const { return port_; }

 private:
  // The port as listed now; nothing while it is not listed (no adapter),
  // which is normal at the track.
  std::optional<ChosenPort> ListedPort() const;
  // The session on the port, opened when it can be; empty while the port is
  // absent or cannot be opened.
  DeviceSession* Session();
  bool PortGone() const;
  std::optional<BlockBytes> WaitForCar();
  void HandleCar(const BlockBytes& found);
  void Program(CarRecord& car, THandicapPreset level);
  // Nothing once the car is unplugged; the block of another car found in
  // its place.
  std::optional<BlockBytes> WaitForUnplug(const BlockBytes& found);
  bool StillThere(const BlockBytes& read, const BlockBytes& found) const;
  void Report(const CarRecord& car);

  const WatchSetup& setup_;
  std::string port_;
  std::optional<TSourceTrace> trace_;
  std::unique_ptr<DeviceSession> session_;
  std::string openTrouble_;  // the last reason the port could not be opened, said once
  // The block this adapter left on its last car: what it stored, or what it
  // found when it sent nothing; none when the store failed.
  std::optional<BlockBytes> left_;
  PortTally tally_;
};

// How many failed reads in a row, over at least how long, make an unplug.
inline constexpr int kUnplugFailedReads = 3;
inline constexpr std::chrono::milliseconds kUnplugSpan{2000};

}  // namespace kx14::cli
