#pragma once

// The cars one adapter handled, and their counts.

#include <string>
#include <vector>

#include "files/car_record.h"

namespace kx14::raceday {

struct PortTally {
  std::string port;
  std::vector<cli::CarRecord> cars;  // in the order they were plugged in

  int Count(cli::TCarOutcome outcome) const;
};

// The count over every port.
int Total(const std::vector<PortTally>& ports, cli::TCarOutcome outcome);

}  // namespace kx14::raceday
