#pragma once

// Race day's one stream of events. Each adapter's watcher reports through it
// everything that happens on its port; a front end (kx14ctl watch's lines,
// the track-side window) only renders what it receives. The events of one
// port arrive in the order they happened, on that port's watcher thread.
//
// A car handled goes CarFound, then Programmed and Verified, or Failed (with
// Programmed before it when the store was acknowledged but the read-back
// differed), or Skipped; then LogRowWritten or LogRowLost when the race has
// a log; then CarUnplugged.

#include <cstddef>
#include <string>

#include "files/car_record.h"

namespace kx14::raceday {

enum class TRaceEventKind {
  // The port is open and watched for a car: at the start, or back after it
  // was gone.
  AdapterReady,
  // The port vanished, is not listed, or cannot be opened (`reason` says
  // why; empty when it is simply absent). Said when the adapter goes, and
  // again only for a new reason it cannot be opened.
  AdapterGone,
  // A car to handle: `car` holds its identifiers, its roster driver and
  // level, its old level and the level it is to get ("-": none).
  CarFound,
  // The car this adapter left, back exactly as it was left (noise long
  // enough to look like an unplug, a hub that reset): neither programmed nor
  // counted again.
  CarReturned,
  // The device acknowledged the store; the read-back follows.
  Programmed,
  // The read-back equals the block stored: the car is done ("ok").
  Verified,
  // Nothing was sent; `car.result` says why.
  Skipped,
  // `car.result` says what failed.
  Failed,
  // The car left the adapter. `anotherCar`: a different car is there
  // already, and its CarFound follows.
  CarUnplugged,
  // The car's row is in the log file, on the disk.
  LogRowWritten,
  // The car's row could not be written (`reason`); the race goes on.
  LogRowLost,
  // The watcher has ended: after a stop was asked for, or on something
  // unforeseen (`reason`). Its port's last event.
  Stopped,
};

// Verified, Failed and Skipped: the events after which a car is done with
// (and counted).
constexpr bool EndsACar(TRaceEventKind kind) {
  return kind == TRaceEventKind::Verified || kind == TRaceEventKind::Failed ||
         kind == TRaceEventKind::Skipped;
}

struct RaceEvent {
  TRaceEventKind kind = TRaceEventKind::AdapterReady;
  std::size_t adapter = 0;  // the port's place in the race's list of ports
  std::string port;         // the port's name, as listed once it was opened
  cli::CarRecord car;       // the car of car and log events
  std::string reason;
  bool anotherCar = false;
};

// A front end's end of the stream. OnEvent is called on the watchers'
// threads, from several at once; it must return soon (the watcher waits for
// it), must not throw, and must not stop or destroy the race it listens to.
class RaceEventSink {
 public:
  virtual ~RaceEventSink() = default;
  virtual void OnEvent(const RaceEvent& event) = 0;
};

}  // namespace kx14::raceday
