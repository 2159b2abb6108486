#include "raceday/port_tally.h"

namespace kx14::raceday {

int PortTally::Count(cli::TCarOutcome outcome) const {
  int count = 0;
  for (const cli::CarRecord& car : cars) count += car.outcome == outcome ? 1 : 0;
  return count;
}

int Total(const std::vector<PortTally>& ports, cli::TCarOutcome outcome) {
  int total = 0;
  for (const PortTally& port : ports) total += port.Count(outcome);
  return total;
}

}  // namespace kx14::raceday
