#include "raceday/race_progress.h"

#include <optional>

namespace kx14::raceday {
namespace {

// The state a port is in after the event; nothing for the events that do
// not change it.
std::optional<TPortState> StateAfter(TRaceEventKind kind) {
  switch (kind) {
    case TRaceEventKind::AdapterReady:
    case TRaceEventKind::CarUnplugged:
      return TPortState::WaitingForCar;
    case TRaceEventKind::AdapterGone:
      return TPortState::AdapterGone;
    case TRaceEventKind::CarFound:
      return TPortState::CarFound;
    case TRaceEventKind::CarReturned:
      return TPortState::CarReturned;
    case TRaceEventKind::Programmed:
      return TPortState::Programmed;
    case TRaceEventKind::Verified:
      return TPortState::Done;
    case TRaceEventKind::Skipped:
      return TPortState::Skipped;
    case TRaceEventKind::Failed:
      return TPortState::Failed;
    case TRaceEventKind::Stopped:
      return TPortState::Stopped;
    case TRaceEventKind::LogRowWritten:
    case TRaceEventKind::LogRowLost:
      break;
  }
  return std::nullopt;
}

bool NamesACar(TRaceEventKind kind) {
  return EndsACar(kind) || kind == TRaceEventKind::CarFound ||
         kind == TRaceEventKind::CarReturned || kind == TRaceEventKind::Programmed;
}

// The identifier the roster knows the car by.
int RosterId(const cli::Roster& roster, const cli::CarRecord& car) {
  return roster.idField == "MYID" ? car.myId : car.yourId;
}

void UpdateStatus(PortStatus& status, const RaceEvent& event) {
  const std::optional<TPortState> state = StateAfter(event.kind);
  if (!state) return;
  status.state = *state;
  status.reason = event.reason;
  if (NamesACar(event.kind)) status.car = event.car;
}

}  // namespace

RaceProgress::RaceProgress(const std::vector<std::string>& ports) : statuses(ports.size()) {
  for (const std::string& port : ports) tallies.push_back(PortTally{port, {}});
}

void AddEvent(RaceProgress& progress, const RaceEvent& event, const cli::Roster* roster) {
  PortTally& tally = progress.tallies.at(event.adapter);
  tally.port = event.port;
  if (EndsACar(event.kind)) tally.cars.push_back(event.car);
  if (event.kind == TRaceEventKind::LogRowWritten) ++progress.logRowsWritten;
  if (event.kind == TRaceEventKind::LogRowLost) ++progress.logRowsLost;
  // A car in the roster is the one whose record carries the roster's level.
  if (event.kind == TRaceEventKind::CarFound && roster != nullptr &&
      !event.car.rosterLevel.empty()) {
    progress.rosterIdsSeen.insert(RosterId(*roster, event.car));
  }
  UpdateStatus(progress.statuses.at(event.adapter), event);
}

std::vector<const cli::RosterCar*> NotSeen(const RaceProgress& progress,
                                           const cli::Roster* roster) {
  std::vector<const cli::RosterCar*> cars;
  if (roster == nullptr) return cars;
  for (const cli::RosterCar& car : roster->cars) {
    if (progress.rosterIdsSeen.count(car.id) == 0) cars.push_back(&car);
  }
  return cars;
}

}  // namespace kx14::raceday
