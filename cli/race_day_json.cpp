#include "cli/race_day_json.h"

#include "cli/json_value.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

void RosterCarItem(JsonWriter& json, const std::string& idField, const RosterCar& car) {
  json.BeginArrayItem()
      .Number("line", car.line)
      .Number(idField == "MYID" ? "myid" : "yourid", car.id)
      .String("level", HandicapShortName(car.level))
      .String("caption", HandicapCaption(car.level))
      .String("name", car.name)
      .String("note", car.note)
      .EndObject();
}

}  // namespace

std::string RosterJson(const Roster& roster, const std::string& path) {
  JsonWriter json;
  json.BeginObject()
      .String("command", "roster check")
      .String("file", path)
      .String("identifier", roster.idField);
  json.BeginArray("cars");
  for (const RosterCar& car : roster.cars) RosterCarItem(json, roster.idField, car);
  return json.EndArray().EndObject().Text();
}

std::string WatchJson(const std::vector<PortTally>& ports,
                      const std::vector<const RosterCar*>& notSeen, int logRowsLost) {
  JsonWriter json;
  json.BeginObject()
      .String("command", "watch")
      .Number("programmed", Total(ports, TCarOutcome::Programmed))
      .Number("failed", Total(ports, TCarOutcome::Failed))
      .Number("skipped", Total(ports, TCarOutcome::Skipped))
      .Number("log_rows_lost", logRowsLost);
  json.BeginArray("ports");
  for (const PortTally& port : ports) {
    json.BeginArrayItem()
        .String("port", port.port)
        .Number("programmed", port.Count(TCarOutcome::Programmed))
        .Number("failed", port.Count(TCarOutcome::Failed))
        .Number("skipped", port.Count(TCarOutcome::Skipped))
        .EndObject();
  }
  json.EndArray().BeginArray("cars");
  for (const PortTally& port : ports) {
    for (const CarRecord& car : port.cars) {
      json.BeginArrayItem()
          .String("time", car.time)
          .String("port", car.port)
          .String("yourid", car.yourId)
          .String("myid", car.myId)
          .String("name", car.name)
          .String("roster_level", car.rosterLevel)
          .String("old_level", car.oldLevel)
          .String("new_level", car.newLevel)
          .String("result", car.result)
          .EndObject();
    }
  }
  json.EndArray().BeginArray("not_seen");
  for (const RosterCar* car : notSeen) {
    json.BeginArrayItem()
        .Number("line", car->line)
        .Number("id", car->id)
        .String("name", car->name)
        .EndObject();
  }
  return json.EndArray().EndObject().Text();
}

}  // namespace kx14::cli
