#include "cli/watch/watch_record.h"

namespace kx14::cli {

int PortTally::Count(TCarOutcome outcome) const {
  int count = 0;
  for (const CarRecord& car : cars) count += car.outcome == outcome ? 1 : 0;
  return count;
}

int Total(const std::vector<PortTally>& ports, TCarOutcome outcome) {
  int total = 0;
  for (const PortTally& port : ports) total += port.Count(outcome);
  return total;
}

}  // namespace kx14::cli
