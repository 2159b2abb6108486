// roster check FILE: reads a roster as watch --roster would and shows it, so
// a mistake is found at the desk rather than at the track.

#include <iomanip>
#include <ostream>

#include "cli/commands.h"
#include "cli/watch/race_day_json.h"
#include "files/roster.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {

void RunRosterCheck(const CommandContext& context) {
  const Roster roster = ReadRoster(*context.options.roster);
  if (context.options.json) {
    context.out << RosterJson(roster, *context.options.roster);
    return;
  }
  if (context.options.quiet) return;
  std::ostream& out = context.out;
  out << *context.options.roster << ": " << roster.cars.size() << " cars by " << roster.idField
      << "\n";
  out << std::left << std::setw(6) << "line" << std::setw(10) << roster.idField << std::setw(6)
      << "level"
      << "name / note\n";
  for (const RosterCar& car : roster.cars) {
    out << std::setw(6) << car.line << std::setw(10) << car.id << std::setw(6)
        << HandicapShortName(car.level) << car.name << (car.note.empty() ? "" : "  / ") << car.note
        << "\n";
  }
  out << std::flush;
}

}  // namespace kx14::cli
