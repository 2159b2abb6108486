#pragma once

// One adapter of a race: waits for a car, programs it, waits until it is
// unplugged, and again, until the race is stopped. Everything it does is
// reported as events (race_event.h). A port that disappears (a USB adapter
// unplugged with the car) is waited for, never an error.
//
// A car counts as unplugged when its port vanishes, or when reads of it
// have failed several times in a row over a couple of seconds: one garbled
// or missing reply (a dirty contact, noise) is not an unplug. A car swapped
// for another between two reads is told by its block: the new car is
// programmed at once. A car that comes back exactly as this adapter left it
// (after an unplug that was really noise, or a USB hub that reset) is not
// programmed or counted again.
//
// A stop is looked at only between cars and in the waits: a car whose
// handling has begun is programmed, read back and reported first.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "device/device_session.h"
#include "protocol/exchange_trace.h"
#include "raceday/race_event.h"
#include "raceday/race_setup.h"
#include "raceday/stop_signal.h"

namespace kx14::raceday {

class PortWatch {
 public:
  // Receives each event with the port's name filled in.
  using Publish = std::function<void(RaceEvent)>;

  PortWatch(const RaceSetup& setup, std::string port, const StopSignal& stop, Publish publish);

  // Until the stop.
  void Run();
  // The port's name: as given, then as listed once it has been opened.
  const std::string& Name() const { return name_; }

 private:
  enum class TAdapter { Unknown, Ready, Gone };
  // How the wait for a car's unplug ended: nothing once it is unplugged or
  // the stop came; the block of another car found in its place.
  struct Unplug {
    std::optional<BlockBytes> nextCar;
    bool adapterGone = false;
  };

  // The port as listed now; nothing while it is not listed (no adapter),
  // which is normal at the track.
  std::optional<cli::ChosenPort> ListedPort() const;
  // The session on the port, opened when it can be; empty while the port is
  // absent or cannot be opened.
  cli::DeviceSession* Session();
  bool PortGone() const;
  void AdapterReady();
  // `reason`: why the port cannot be opened; empty when it is absent.
  void AdapterGone(const std::string& reason);
  std::optional<BlockBytes> WaitForCar();
  cli::CarRecord FoundCar(const BlockBytes& block) const;
  // The level the car gets, with its roster entry's name and level filled
  // in; nothing when it gets none.
  std::optional<THandicapPreset> LevelFor(const BlockBytes& found, cli::CarRecord& car) const;
  void HandleCar(const BlockBytes& found);
  void Program(cli::CarRecord& car, THandicapPreset level);
  void Report(const cli::CarRecord& car);
  Unplug WaitForUnplug(const BlockBytes& found);
  bool StillThere(const BlockBytes& read, const BlockBytes& found) const;
  void Emit(TRaceEventKind kind, const cli::CarRecord& car = {}, const std::string& reason = "",
            bool anotherCar = false) const;

  const RaceSetup& setup_;
  const std::string port_;  // as given
  std::string name_;
  const StopSignal& stop_;
  Publish publish_;
  std::optional<TSourceTrace> trace_;
  std::unique_ptr<cli::DeviceSession> session_;
  TAdapter adapter_ = TAdapter::Unknown;
  std::string openTrouble_;  // the last reason the port could not be opened, said once
  // The block this adapter left on its last car: what it stored, or what it
  // found when it sent nothing; none when the store failed.
  std::optional<BlockBytes> left_;
};

// How many failed reads in a row, over at least how long, make an unplug.
inline constexpr int kUnplugFailedReads = 3;
inline constexpr std::chrono::milliseconds kUnplugSpan{2000};

}  // namespace kx14::raceday
