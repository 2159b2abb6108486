#include "ui/trackside/race_rows.h"

#include "protocol/handicap_captions.h"
#include "raceday/port_tally.h"
#include "ui/trackside/trackside_texts.h"

namespace kx14::trackside {
namespace {

using raceday::TPortState;

TText StateWord(TPortState state) {
  switch (state) {
    case TPortState::Opening:
      return TText::Opening;
    case TPortState::WaitingForCar:
      return TText::WaitingForCar;
    case TPortState::AdapterGone:
      return TText::AdapterGone;
    case TPortState::CarFound:
    case TPortState::Programmed:
      // A car found is programmed next unless it is skipped, which is said
      // at once: the user sees "programming" for the whole store.
      return TText::Programming;
    case TPortState::Done:
      return TText::Done;
    case TPortState::Failed:
      return TText::Failed;
    case TPortState::Skipped:
      return TText::Skipped;
    case TPortState::CarReturned:
      return TText::CarReturned;
    case TPortState::Stopped:
      break;
  }
  return TText::Stopped;
}

bool ShowsCar(TPortState state) {
  return state != TPortState::Opening && state != TPortState::WaitingForCar &&
         state != TPortState::AdapterGone && state != TPortState::Stopped;
}

std::string CarSummary(const cli::CarRecord& car) {
  std::string text = "YOURID " + std::to_string(car.yourId) + "  MYID " + std::to_string(car.myId);
  if (!car.name.empty()) text += "  " + car.name;
  return text;
}

std::string ResultText(const cli::CarRecord& car) {
  if (car.outcome == cli::TCarOutcome::Programmed) return Text(TText::ResultOk);
  const TText word = car.outcome == cli::TCarOutcome::Failed ? TText::Failed : TText::Skipped;
  return Text(word) + ": " + car.result;
}

std::string Count(TText word, int count, TText unit) {
  return Text(word) + " " + std::to_string(count) + Text(unit);
}

}  // namespace

std::string StatusLine(const std::string& port, const raceday::PortStatus& status) {
  std::string line = port + ": " + Text(StateWord(status.state));
  if (ShowsCar(status.state)) line += "  " + CarSummary(status.car);
  if (status.state == TPortState::Failed || status.state == TPortState::Skipped) {
    line += "  (" + status.car.result + ")";
  }
  if (!status.reason.empty()) line += "  (" + status.reason + ")";
  return line;
}

std::vector<std::string> ResultCells(const cli::CarRecord& car) {
  return {car.time,
          car.port,
          std::to_string(car.yourId),
          std::to_string(car.myId),
          car.name,
          car.rosterLevel,
          car.oldLevel,
          car.newLevel,
          ResultText(car)};
}

std::vector<std::string> ResultHeaders() {
  return {Text(TText::ResultColumnTime),
          Text(TText::ResultColumnAdapter),
          "YOURID",
          "MYID",
          Text(TText::ResultColumnDriver),
          Text(TText::ResultColumnRosterLevel),
          Text(TText::ResultColumnOldLevel),
          Text(TText::ResultColumnNewLevel),
          Text(TText::ResultColumnResult)};
}

std::vector<std::string> RosterCells(const cli::RosterCar& car) {
  return {std::to_string(car.id), car.name, std::string(HandicapShortName(car.level)), car.note};
}

std::vector<std::string> RosterHeaders(const std::string& idField) {
  return {idField.empty() ? Text(TText::RosterColumnId) : idField, Text(TText::RosterColumnName),
          Text(TText::RosterColumnLevel), Text(TText::RosterColumnNote)};
}

std::string CountsText(const raceday::RaceProgress& progress) {
  using cli::TCarOutcome;
  const auto& tallies = progress.tallies;
  return Count(TText::CountProgrammed, raceday::Total(tallies, TCarOutcome::Programmed),
               TText::CarsUnit) +
         "  " +
         Count(TText::CountFailed, raceday::Total(tallies, TCarOutcome::Failed), TText::CarsUnit) +
         "  " +
         Count(TText::CountSkipped, raceday::Total(tallies, TCarOutcome::Skipped),
               TText::CarsUnit) +
         "  " + Count(TText::CountLogLost, progress.logRowsLost, TText::RowsUnit);
}

std::string NotSeenLine(const cli::RosterCar& car, const std::string& idField) {
  std::string line = idField + " " + std::to_string(car.id);
  if (!car.name.empty()) line += "  " + car.name;
  return line + "  (" + std::to_string(car.line) + Text(TText::LineWord) + ")";
}

}  // namespace kx14::trackside
