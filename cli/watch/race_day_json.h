#pragma once

// The --json documents of roster check and watch.

#include <string>
#include <vector>

#include "files/roster.h"
#include "raceday/port_tally.h"

namespace kx14::cli {

std::string RosterJson(const Roster& roster, const std::string& path);

// `notSeen`: the roster's cars no port read.
std::string WatchJson(const std::vector<raceday::PortTally>& ports,
                      const std::vector<const RosterCar*>& notSeen, int logRowsLost);

}  // namespace kx14::cli
