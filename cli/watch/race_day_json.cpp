#include "cli/watch/race_day_json.h"

#include "files/json_text.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

Json RosterCarItem(const std::string& idField, const RosterCar& car) {
  return Json{{"line", car.line},
              {idField == "MYID" ? "myid" : "yourid", car.id},
              {"level", HandicapShortName(car.level)},
              {"caption", HandicapCaption(car.level)},
              {"name", car.name},
              {"note", car.note}};
}

Json PortItem(const raceday::PortTally& port) {
  return Json{{"port", port.port},
              {"programmed", port.Count(TCarOutcome::Programmed)},
              {"failed", port.Count(TCarOutcome::Failed)},
              {"skipped", port.Count(TCarOutcome::Skipped)}};
}

Json CarItem(const CarRecord& car) {
  return Json{{"time", car.time},         {"port", car.port},
              {"yourid", car.yourId},     {"myid", car.myId},
              {"name", car.name},         {"roster_level", car.rosterLevel},
              {"old_level", car.oldLevel}, {"new_level", car.newLevel},
              {"result", car.result}};
}

}  // namespace

std::string RosterJson(const Roster& roster, const std::string& path) {
  Json cars = Json::array();
  for (const RosterCar& car : roster.cars) cars.push_back(RosterCarItem(roster.idField, car));
  return JsonText(Json{{"command", "roster check"},
                       {"file", path},
                       {"identifier", roster.idField},
                       {"cars", std::move(cars)}});
}

std::string WatchJson(const std::vector<raceday::PortTally>& ports,
                      const std::vector<const RosterCar*>& notSeen, int logRowsLost) {
  Json portItems = Json::array();
  Json cars = Json::array();
  for (const raceday::PortTally& port : ports) {
    portItems.push_back(PortItem(port));
    for (const CarRecord& car : port.cars) cars.push_back(CarItem(car));
  }
  Json missing = Json::array();
  for (const RosterCar* car : notSeen) {
    missing.push_back(Json{{"line", car->line}, {"id", car->id}, {"name", car->name}});
  }
  return JsonText(Json{{"command", "watch"},
                       {"programmed", raceday::Total(ports, TCarOutcome::Programmed)},
                       {"failed", raceday::Total(ports, TCarOutcome::Failed)},
                       {"skipped", raceday::Total(ports, TCarOutcome::Skipped)},
                       {"log_rows_lost", logRowsLost},
                       {"ports", std::move(portItems)},
                       {"cars", std::move(cars)},
                       {"not_seen", std::move(missing)}});
}

}  // namespace kx14::cli
