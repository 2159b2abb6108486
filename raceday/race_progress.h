#pragma once

// What a race's events add up to, for a front end to show at any moment:
// each adapter's status and cars, the log rows written and lost, and the
// roster's cars seen so far. Built from the event stream alone, so it always
// agrees with what the stream said.

#include <set>
#include <string>
#include <vector>

#include "files/roster.h"
#include "raceday/port_tally.h"
#include "raceday/race_event.h"

namespace kx14::raceday {

enum class TPortState {
  Opening,        // not tried yet
  WaitingForCar,  // open, no car on it
  AdapterGone,    // absent, or cannot be opened (`reason`)
  CarFound,       // a car read, about to be programmed or skipped
  Programmed,     // stored, being read back
  Done,           // the car read back as stored
  Failed,         // `car.result` says what failed
  Skipped,        // nothing sent
  CarReturned,    // the car this adapter left, back as it was
  Stopped,        // the watcher has ended (`reason`: what stopped it, when unforeseen)
};

// One adapter's status line.
struct PortStatus {
  TPortState state = TPortState::Opening;
  cli::CarRecord car;  // the car on the adapter, or the last one handled
  std::string reason;  // AdapterGone and Stopped only
};

struct RaceProgress {
  // One of each per port, in the race's order of ports.
  explicit RaceProgress(const std::vector<std::string>& ports);

  std::vector<PortStatus> statuses;
  std::vector<PortTally> tallies;  // each port's cars handled, in order
  std::set<int> rosterIdsSeen;     // roster identifiers read from a car
  int logRowsWritten = 0;
  int logRowsLost = 0;
};

// Adds one event of the race; `roster` is the race's (none without one).
void AddEvent(RaceProgress& progress, const RaceEvent& event, const cli::Roster* roster);

// The roster's cars that no adapter has read, in the roster's order.
std::vector<const cli::RosterCar*> NotSeen(const RaceProgress& progress, const cli::Roster* roster);

}  // namespace kx14::raceday
